#include "CalcWorkbook.h"

#include "Office.h"
#include "StaleLockFile.h"
#include "UnoText.h"
#include "XlsActiveSheet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/document/MacroExecMode.hpp>
#include <com/sun/star/document/UpdateDocMode.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <fcntl.h>
#include <unistd.h>

using namespace css;

namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

rtl::OUString fileUrl(const QString &path)
{
    return toOUString(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded));
}

beans::PropertyValue property(const char *name, const uno::Any &value)
{
    beans::PropertyValue result;
    result.Name = rtl::OUString::createFromAscii(name);
    result.Value = value;
    return result;
}

uno::Sequence<beans::PropertyValue> properties(std::initializer_list<beans::PropertyValue> list)
{
    return uno::Sequence<beans::PropertyValue>(list.begin(), static_cast<sal_Int32>(list.size()));
}

// Who holds the workbook, as the other office wrote it into its lock file:
// "name,system user,host,date,profile URL;". The name is the one set in the
// office, often empty; the login name stands in for it then.
QString lockOwner(const QString &lockFile)
{
    QFile file(lockFile);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("an unknown user");
    const QStringList parts = QString::fromUtf8(file.readLine()).split(QLatin1Char(','));
    const QString name = parts.value(0).trimmed();
    const QString user = name.isEmpty() ? parts.value(1).trimmed() : name;
    const QString host = parts.value(2).trimmed();
    if (user.isEmpty() && host.isEmpty())
        return QStringLiteral("an unknown user");
    return host.isEmpty() ? user : QStringLiteral("%1 on %2").arg(user.isEmpty() ? QStringLiteral("someone") : user, host);
}

// Makes sure the stored bytes are on the disk before the file takes the
// original's place.
void flushToDisk(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        ::close(fd);
    }
}

} // namespace

CalcWorkbook::CalcWorkbook(Office &office) : m_office(office) {}

CalcWorkbook::~CalcWorkbook()
{
    close();
}

QString CalcWorkbook::lockFilePath(const QString &path)
{
    const QFileInfo info(path);
    return info.absolutePath() + QStringLiteral("/.~lock.") + info.fileName() + QLatin1Char('#');
}

template <typename Action>
auto CalcWorkbook::guarded(const QString &what, Action action)
{
    try {
        return action();
    } catch (const uno::RuntimeException &error) {
        m_officeFailed = true;
        throw OfficeFailure(QStringLiteral("LibreOffice failed while it had to %1 the workbook %2 (%3). "
                                           "Nothing was saved")
                                .arg(what, native(m_path), toQString(error.Message)));
    } catch (const uno::Exception &error) {
        throw Exception(QStringLiteral("LibreOffice could not %1 the workbook %2 (%3). Nothing was saved")
                            .arg(what, native(m_path), toQString(error.Message)));
    }
}

void CalcWorkbook::refuse(const QString &message)
{
    close();
    throw Exception(message);
}

void CalcWorkbook::open(const QString &path)
{
    close();
    m_path = QFileInfo(path).absoluteFilePath();
    const QFileInfo info(m_path);
    if (!info.exists())
        throw Exception(QStringLiteral("The workbook file %1 does not exist. Nothing was saved").arg(native(m_path)));
    if (!info.isFile())
        throw Exception(QStringLiteral("%1 is not a workbook file. Nothing was saved").arg(native(m_path)));
    const QString lockFile = lockFilePath(m_path);
    // What an office of ours left when it was killed with its program would
    // otherwise refuse every later save.
    if (QFileInfo::exists(lockFile) && isLeftByEndedOffice(lockFile))
        QFile::remove(lockFile);
    if (QFileInfo::exists(lockFile))
        throw Exception(QStringLiteral("The workbook %1 is open in another program (by %2); close it there "
                                       "and save again. If no program has it open, delete the lock file %3. "
                                       "Nothing was saved")
                            .arg(native(m_path), lockOwner(lockFile), native(lockFile)));

    // A hidden document reports its first sheet as the active one; the sheet
    // the clerk last worked on is named in the file's window settings.
    QFile file(m_path);
    const std::optional<int> activeSheet = file.open(QIODevice::ReadOnly) ? xlsActiveSheet(file.readAll()) : std::nullopt;
    file.close();

    const uno::Sequence<beans::PropertyValue> arguments = properties({
        property("Hidden", uno::Any(true)),
        property("MacroExecutionMode", uno::Any(document::MacroExecMode::NEVER_EXECUTE)),
        property("UpdateDocMode", uno::Any(document::UpdateDocMode::NO_UPDATE)),
    });
    const uno::Reference<lang::XComponent> component = guarded(QStringLiteral("open"), [&] {
        return m_office.loader()->loadComponentFromURL(fileUrl(m_path), rtl::OUString("_blank"), 0, arguments);
    });
    if (!component.is())
        throw Exception(QStringLiteral("LibreOffice could not open the workbook %1. Nothing was saved").arg(native(m_path)));
    m_document.set(component, uno::UNO_QUERY);
    if (!m_document.is()) {
        component->dispose();
        throw Exception(QStringLiteral("%1 is not a workbook. Nothing was saved").arg(native(m_path)));
    }
    guarded(QStringLiteral("open"), [&] {
        // Calc opens any text file as a table; only a real .xls may be written.
        rtl::OUString filter;
        for (const beans::PropertyValue &argument : uno::Reference<frame::XModel>(m_document, uno::UNO_QUERY_THROW)->getArgs())
            if (argument.Name == "FilterName")
                argument.Value >>= filter;
        if (toQString(filter) != ExcelFilter)
            refuse(QStringLiteral("%1 is not an Excel 97-2003 workbook (LibreOffice reads it as \"%2\"). "
                                  "Nothing was saved")
                       .arg(native(m_path), toQString(filter)));
        // Another user's office or a write-protected file gives a read-only
        // document without any error.
        if (uno::Reference<frame::XStorable>(m_document, uno::UNO_QUERY_THROW)->isReadonly())
            refuse(QStringLiteral("The workbook %1 can only be opened read-only: it is write-protected "
                                  "or open in another program. Nothing was saved")
                       .arg(native(m_path)));
        loadActiveSheet(activeSheet);
    });
}

void CalcWorkbook::loadActiveSheet(std::optional<int> active)
{
    const uno::Reference<container::XIndexAccess> sheets(m_document->getSheets(), uno::UNO_QUERY_THROW);
    const int index = active && *active < sheets->getCount() ? *active : 0;
    m_sheet.set(sheets->getByIndex(index), uno::UNO_QUERY_THROW);
}

CounterCell CalcWorkbook::counter()
{
    return guarded(QStringLiteral("read the row counter of"), [&] {
        const uno::Reference<table::XCell> cell = m_sheet->getCellByPosition(CounterColumn - 1, CounterRow - 1);
        CounterCell result;
        switch (cell->getType()) {
        case table::CellContentType_EMPTY: break;
        case table::CellContentType_VALUE:
        case table::CellContentType_FORMULA: result.number = cell->getValue(); break;
        default: result.text = toQString(uno::Reference<text::XText>(cell, uno::UNO_QUERY_THROW)->getString());
        }
        return result;
    });
}

void CalcWorkbook::write(int row, int column, const CellValue &value)
{
    guarded(QStringLiteral("write to"), [&] {
        const uno::Reference<table::XCell> cell = m_sheet->getCellByPosition(column - 1, row - 1);
        if (const double *number = std::get_if<double>(&value))
            cell->setValue(*number);
        else  // stored as text as it stands, never read as a formula
            uno::Reference<text::XText>(cell, uno::UNO_QUERY_THROW)->setString(toOUString(std::get<QString>(value)));
    });
}

void CalcWorkbook::setCounter(int nextRow)
{
    write(CounterRow, CounterColumn, static_cast<double>(nextRow));
}

void CalcWorkbook::save()
{
    const QFileInfo info(m_path);
    m_storedPath = info.absolutePath() + QStringLiteral("/.") + info.fileName()
                   + QStringLiteral(".%1.saving").arg(getpid());
    guarded(QStringLiteral("store"), [&] {
        const uno::Sequence<beans::PropertyValue> arguments = properties({
            property("FilterName", uno::Any(toOUString(ExcelFilter))),
            property("Overwrite", uno::Any(true)),
        });
        uno::Reference<frame::XStorable>(m_document, uno::UNO_QUERY_THROW)->storeToURL(fileUrl(m_storedPath), arguments);
    });
    if (info.exists())
        QFile::setPermissions(m_storedPath, QFile::permissions(m_path));
    flushToDisk(m_storedPath);
}

void CalcWorkbook::commit()
{
    if (::rename(QFile::encodeName(m_storedPath).constData(), QFile::encodeName(m_path).constData()) != 0)
        throw Exception(QStringLiteral("The workbook %1 could not be replaced by its new version (%2). "
                                       "Nothing was saved")
                            .arg(native(m_path), QString::fromLocal8Bit(strerror(errno))));
    m_storedPath.clear();
}

void CalcWorkbook::close() noexcept
{
    const bool wasOpen = m_document.is();
    if (wasOpen) {
        try {
            uno::Reference<util::XCloseable>(m_document, uno::UNO_QUERY_THROW)->close(true);
        } catch (const uno::Exception &) {
            m_officeFailed = true;
        }
    }
    m_sheet.clear();
    m_document.clear();
    if (!m_storedPath.isEmpty()) {
        QFile::remove(m_storedPath);
        // A store that failed (a full disk) can leave the office's lock file
        // of the stored file; the name is this process's alone.
        QFile::remove(lockFilePath(m_storedPath));
        m_storedPath.clear();
    }
    // An office that died while opening the workbook or with it open leaves
    // its lock file behind; it was ours (a foreign one stops the open), and
    // keeping it would make the next save refuse the workbook.
    if (m_officeFailed && !m_path.isEmpty())
        QFile::remove(lockFilePath(m_path));
    m_officeFailed = false;
}

void CalcWorkbook::create(const QString &path)
{
    close();
    m_path = QFileInfo(path).absoluteFilePath();
    const uno::Reference<lang::XComponent> component = guarded(QStringLiteral("create"), [&] {
        return m_office.loader()->loadComponentFromURL(rtl::OUString("private:factory/scalc"), rtl::OUString("_blank"), 0,
                                                       properties({property("Hidden", uno::Any(true))}));
    });
    m_document.set(component, uno::UNO_QUERY_THROW);
    const uno::Reference<container::XIndexAccess> sheets(m_document->getSheets(), uno::UNO_QUERY_THROW);
    m_sheet.set(sheets->getByIndex(0), uno::UNO_QUERY_THROW);
}
