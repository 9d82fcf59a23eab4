#include "WorkbookContents.h"

#include "CalcWorkbook.h"
#include "Office.h"
#include "UnoText.h"

#include <com/sun/star/table/CellContentType.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/text/XText.hpp>
#include <gtest/gtest.h>

using namespace css;

namespace {

QString cellText(const uno::Reference<table::XCell> &cell)
{
    switch (cell->getType()) {
    case table::CellContentType_EMPTY:
        return {};
    case table::CellContentType_VALUE:
        return QString::number(cell->getValue(), 'g', 17 - 2);
    default:
        return toQString(uno::Reference<text::XText>(cell, uno::UNO_QUERY_THROW)->getString());
    }
}

}  // namespace

WorkbookContents WorkbookContents::read(const QString &path, const std::vector<int> &rowNumbers)
{
    WorkbookContents contents;
    try {
        Office::prepareEnvironment();
        Office office{OfficeOptions()};
        CalcWorkbook workbook(office);
        workbook.open(path);
        const uno::Reference<sheet::XSpreadsheet> sheet = workbook.sheet();
        contents.counter = cellText(sheet->getCellByPosition(PaymentWorkbook::CounterColumn - 1,
                                                             PaymentWorkbook::CounterRow - 1));
        for (const int row : rowNumbers) {
            std::map<int, QString> cells;
            for (int column = 1; column <= LastColumn; ++column) {
                const QString text = cellText(sheet->getCellByPosition(column - 1, row - 1));
                if (!text.isEmpty())
                    cells[column] = text;
            }
            contents.rows.push_back(cells);
        }
        workbook.close();
    } catch (const Exception &error) {
        ADD_FAILURE() << "The workbook cannot be read: " << error.message().toStdString();
    } catch (const uno::Exception &error) {
        ADD_FAILURE() << "The workbook cannot be read: " << toQString(error.Message).toStdString();
    }
    return contents;
}
