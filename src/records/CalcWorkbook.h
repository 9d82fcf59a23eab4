#pragma once

#include "PaymentWorkbook.h"

#include <optional>

#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>

class Office;

// The payment workbook as LibreOffice Calc holds it, reached over UNO.
// A failure of the connection itself is an OfficeFailure.
class CalcWorkbook : public PaymentWorkbook {
public:
    static inline const QString ExcelFilter = QStringLiteral("MS Excel 97");

    explicit CalcWorkbook(Office &office);
    ~CalcWorkbook() override;

    void open(const QString &path) override;
    CounterCell counter() override;
    void write(int row, int column, const CellValue &value) override;
    void setCounter(int nextRow) override;
    void save() override;
    void commit() override;
    void close() noexcept override;

    // Starts a new, empty workbook that save and commit will store at `path`.
    void create(const QString &path);
    css::uno::Reference<css::sheet::XSpreadsheetDocument> document() const { return m_document; }
    // The sheet that the save writes to.
    css::uno::Reference<css::sheet::XSpreadsheet> sheet() const { return m_sheet; }

    // LibreOffice's mark beside a workbook that some office has open.
    static QString lockFilePath(const QString &path);

private:
    template <typename Action> auto guarded(const QString &what, Action action);
    void loadActiveSheet(std::optional<int> active);
    void refuse(const QString &message);

    Office &m_office;
    QString m_path;
    QString m_storedPath;
    bool m_lockFileWasThere = false;
    bool m_officeFailed = false;
    css::uno::Reference<css::sheet::XSpreadsheetDocument> m_document;
    css::uno::Reference<css::sheet::XSpreadsheet> m_sheet;
};
