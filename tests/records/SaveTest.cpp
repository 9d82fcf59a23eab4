// Saving through a real LibreOffice: the row, the counter, the kinds of the
// cells, what else the workbook holds, and every refusal leaving both files
// as they were. One office serves the whole run.

#include "CalcWorkbook.h"
#include "Office.h"
#include "PaymentLedger.h"
#include "PaymentRecorder.h"
#include "SettlementSlip.h"
#include "StarterWorkbook.h"
#include "TestText.h"
#include "UnoText.h"
#include "XlsActiveSheet.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/text/XText.hpp>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace css;

namespace {

constexpr sal_Int32 headingColour = 0xFFCC00;
const QString dataSheetName = QStringLiteral("支付");
const QString otherSheetName = QStringLiteral("说明");

uno::Reference<table::XCell> cellOf(const uno::Reference<sheet::XSpreadsheet> &sheet, int row, int column)
{
    return sheet->getCellByPosition(column - 1, row - 1);
}

QString textOf(const uno::Reference<table::XCell> &cell)
{
    return toQString(uno::Reference<text::XText>(cell, uno::UNO_QUERY_THROW)->getString());
}

QString nameOf(const uno::Reference<sheet::XSpreadsheet> &sheet)
{
    return toQString(uno::Reference<container::XNamed>(sheet, uno::UNO_QUERY_THROW)->getName());
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// The soffice.bin of the recorder: ours by its pipe name, not the helper's.
pid_t recorderOfficeProcess(pid_t helperOffice)
{
    const QString pipe = QStringLiteral("settleslip-%1-").arg(getpid());
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isNumber = false;
        const pid_t pid = entry.toInt(&isNumber);
        if (!isNumber || getpgid(pid) == helperOffice)
            continue;
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!cmdline.open(QIODevice::ReadOnly))
            continue;
        const QByteArray arguments = cmdline.readAll();
        if (arguments.startsWith("/usr/lib/libreoffice/program/soffice.bin") && arguments.contains(pipe.toUtf8()))
            return pid;
    }
    return -1;
}

class SaveTest : public ::testing::Test {
public:
    // Made once for the whole run (the refusal cases included): a recorder
    // with its office, a helper office that makes and reads workbooks, and
    // the template workbook.
    static void setUpShared()
    {
        folder = new QTemporaryDir;
        OfficeOptions options;
        options.callTimeout = std::chrono::seconds(5);
        recorder = new PaymentRecorder(folder->path(), options);
        helper = new Office(OfficeOptions());
        makeTemplate();
    }
    static void tearDownShared()
    {
        delete recorder;
        delete helper;
        delete folder;
    }

protected:
    // A hidden document cannot change the active sheet, so the test sets it in
    // the window settings record (WINDOW1: type 0x3D, 18 bytes, the active
    // sheet at byte 10).
    static void makeSheetActive(QByteArray &xls, quint16 index)
    {
        const qsizetype window = xls.indexOf(QByteArray("\x3D\x00\x12\x00", 4));
        ASSERT_GE(window, 0);
        xls[window + 14] = char(index & 0xFF);
        xls[window + 15] = char(index >> 8);
        ASSERT_EQ(xlsActiveSheet(xls), index);
    }

    // A starter workbook whose data sheet is the second one and active, with
    // a coloured heading and another sheet in front of it.
    static void makeTemplate()
    {
        const QString path = folder->filePath(QStringLiteral("template.xls"));
        CalcWorkbook workbook(*helper);
        makeStarterWorkbook(workbook, path);
        workbook.open(path);
        uno::Reference<container::XNamed>(workbook.sheet(), uno::UNO_QUERY_THROW)->setName(toOUString(dataSheetName));
        uno::Reference<beans::XPropertySet>(cellOf(workbook.sheet(), 1, 1), uno::UNO_QUERY_THROW)
            ->setPropertyValue(rtl::OUString("CellBackColor"), uno::Any(headingColour));
        const auto sheets = workbook.document()->getSheets();
        sheets->insertNewByName(toOUString(otherSheetName), 0);
        const uno::Reference<sheet::XSpreadsheet> other(sheets->getByName(toOUString(otherSheetName)), uno::UNO_QUERY_THROW);
        uno::Reference<text::XText>(cellOf(other, 1, 1), uno::UNO_QUERY_THROW)->setString(rtl::OUString("notes"));
        workbook.save();
        workbook.commit();
        workbook.close();
        templateBytes = bytesOf(path);
        makeSheetActive(templateBytes, 1);
        QFile::remove(path);
    }

    void SetUp() override
    {
        writeFile(recorder->ledgerPath(), "earlier\t\r\n");
        setCounter([](const uno::Reference<table::XCell> &cell) { cell->setValue(5); });
    }

    // Puts the template in place with its counter cell as `edit` leaves it.
    void setCounter(const std::function<void(const uno::Reference<table::XCell> &)> &edit)
    {
        writeFile(recorder->workbookPath(), templateBytes);
        CalcWorkbook workbook(*helper);
        workbook.open(recorder->workbookPath());
        edit(cellOf(workbook.sheet(), 2, 27));
        workbook.save();
        workbook.commit();
    }

    static MemorySlip filledSlip()
    {
        MemorySlip slip;
        const std::pair<int, const char *> texts[] = {
            {4, "2012-12-9"}, {5, "007"}, {6, "=SUM(A1:A3)"}, {9, "45"}, {10, "110101199001011234"},
            {12, "桐溪医院"}, {13, "肺炎"}, {16, "2012-11-1"}, {17, "2012-11-20"}, {18, "19"},
            {21, "1"}, {22, "300"}, {23, "12.5"}, {24, "7.5"}, {25, "0.1"}, {26, "0.2"}, {27, "0"},
            {30, "200"}, {34, "800"}, {38, "520.00"}, {42, "280.00"}, {56, "05"}, {57, "600"}, {58, "0"},
        };
        for (const auto &[box, text] : texts)
            slip.setText(box, QString::fromUtf8(text));
        return slip;
    }

    QString saveMessage(const SettlementSlip &slip)
    {
        try {
            recorder->save(slip);
        } catch (const Exception &error) {
            return error.message();
        }
        return {};
    }

    static inline QTemporaryDir *folder = nullptr;
    static inline PaymentRecorder *recorder = nullptr;
    static inline Office *helper = nullptr;
    static inline QByteArray templateBytes;
};

TEST_F(SaveTest, TheRowTheCounterNamesGetsTheValuesAndTheCounterAdvances)
{
    recorder->save(filledSlip());

    CalcWorkbook workbook(*helper);
    workbook.open(recorder->workbookPath());
    const auto sheet = workbook.sheet();
    const struct {
        int column;
        const char *text;  // text cells
        double number = 0;  // number cells when text is null
    } expected[] = {
        {1, "007"}, {2, nullptr, 2012}, {3, nullptr, 12}, {4, nullptr, 9}, {5, ""},
        {6, "=SUM(A1:A3)"}, {7, nullptr, 45}, {8, "110101199001011234"}, {9, "桐溪医院"}, {10, ""},
        {11, "肺炎"}, {12, nullptr, 1}, {13, "2012-11-1"}, {14, "2012-11-20"}, {15, nullptr, 19},
        {16, "05"}, {17, ""}, {18, ""}, {19, nullptr, 20}, {20, nullptr, 0.3}, {21, nullptr, 200},
        {22, nullptr, 800}, {23, ""}, {24, nullptr, 520}, {25, nullptr, 280}, {26, nullptr, 0},
        {27, ""}, {28, ""}, {29, nullptr, 600}, {30, nullptr, 12.5}, {31, nullptr, 7.5},
        {32, nullptr, 0.2}, {33, nullptr, 0.1}, {34, ""}, {35, nullptr, 300}, {36, ""},
    };
    for (const auto &e : expected) {
        const auto cell = cellOf(sheet, 5, e.column);
        if (e.text == nullptr) {
            EXPECT_EQ(cell->getType(), table::CellContentType_VALUE) << "column " << e.column;
            EXPECT_EQ(cell->getValue(), e.number) << "column " << e.column;
        } else if (*e.text == '\0') {
            EXPECT_EQ(cell->getType(), table::CellContentType_EMPTY) << "column " << e.column;
        } else {
            EXPECT_EQ(cell->getType(), table::CellContentType_TEXT) << "column " << e.column;
            EXPECT_EQ(textOf(cell), QString::fromUtf8(e.text)) << "column " << e.column;
        }
    }
    for (int column = 1; column <= 36; ++column) {
        EXPECT_EQ(cellOf(sheet, 4, column)->getType(), table::CellContentType_EMPTY) << "row 4, column " << column;
        EXPECT_EQ(cellOf(sheet, 6, column)->getType(), table::CellContentType_EMPTY) << "row 6, column " << column;
    }
    EXPECT_EQ(cellOf(sheet, 2, 27)->getValue(), 6);

    EXPECT_EQ(bytesOf(recorder->ledgerPath()),
              QByteArray("earlier\t\r\n007\t2012\t12\t9\t\t=SUM(A1:A3)\t45\t110101199001011234\t"
                         "\xCD\xA9\xCF\xAA\xD2\xBD\xD4\xBA\t\t\xB7\xCE\xD1\xD7\t1\t2012-11-1\t2012-11-20\t19\t05\t\t"
                         "20\t0.3\t200\t800\t\t520.00\t280.00\t0\t\t\t600\t12.5\t7.5\t0.2\t0.1\t\t\t300\t\r\n"));
}

TEST_F(SaveTest, HeadingsFormatsAndOtherSheetsSurvive)
{
    recorder->save(filledSlip());
    recorder->save(filledSlip());

    CalcWorkbook workbook(*helper);
    workbook.open(recorder->workbookPath());
    EXPECT_EQ(nameOf(workbook.sheet()), dataSheetName) << "the active sheet is still the data sheet";
    EXPECT_EQ(textOf(cellOf(workbook.sheet(), 1, 1)), QStringLiteral("编号"));
    EXPECT_EQ(textOf(cellOf(workbook.sheet(), 1, 27)), QStringLiteral("下一行"));
    sal_Int32 colour = 0;
    uno::Reference<beans::XPropertySet>(cellOf(workbook.sheet(), 1, 1), uno::UNO_QUERY_THROW)
            ->getPropertyValue(rtl::OUString("CellBackColor")) >>= colour;
    EXPECT_EQ(colour, headingColour);
    const uno::Reference<sheet::XSpreadsheet> other(
        workbook.document()->getSheets()->getByName(toOUString(otherSheetName)), uno::UNO_QUERY_THROW);
    EXPECT_EQ(textOf(cellOf(other, 1, 1)), QStringLiteral("notes"));
    EXPECT_EQ(cellOf(other, 5, 1)->getType(), table::CellContentType_EMPTY);
    EXPECT_EQ(textOf(cellOf(workbook.sheet(), 6, 1)), QStringLiteral("007")) << "the second save took row 6";
    EXPECT_EQ(cellOf(workbook.sheet(), 2, 27)->getValue(), 7);
    workbook.close();
    EXPECT_EQ(xlsActiveSheet(bytesOf(recorder->workbookPath())), 1) << "the data sheet stays the active one";
    EXPECT_FALSE(QFile::exists(CalcWorkbook::lockFilePath(recorder->workbookPath())));
    EXPECT_EQ(QDir(folder->path()).entryList(QDir::Files | QDir::Hidden).size(), 2)
        << QDir(folder->path()).entryList(QDir::Files | QDir::Hidden).join(' ').toStdString();
}

class SharedOffices : public ::testing::Environment {
public:
    void SetUp() override { SaveTest::setUpShared(); }
    void TearDown() override { SaveTest::tearDownShared(); }
};
[[maybe_unused]] const auto *const sharedOffices = ::testing::AddGlobalTestEnvironment(new SharedOffices);

struct Refusal {
    const char *name;
    std::function<void(SaveTest &, MemorySlip &)> arrange;
    const char *message;  // a part of the message
    bool namesWorkbook;   // else it names the ledger, or quotes the amount
};

class SaveRefusal : public SaveTest, public ::testing::WithParamInterface<Refusal> {
protected:
    void setCounterText(const char *text)
    {
        setCounter([text](const uno::Reference<table::XCell> &cell) {
            uno::Reference<text::XText>(cell, uno::UNO_QUERY_THROW)->setString(toOUString(QString::fromUtf8(text)));
        });
    }
    void setCounterValue(double value)
    {
        setCounter([value](const uno::Reference<table::XCell> &cell) { cell->setValue(value); });
    }
    friend struct RefusalCases;
};

struct RefusalCases {
    static std::vector<Refusal> all()
    {
        return {
            {"MissingLedger", [](SaveTest &t, MemorySlip &) { QFile::remove(t.recorder->ledgerPath()); },
             "does not exist", false},
            {"MissingWorkbook", [](SaveTest &t, MemorySlip &) { QFile::remove(t.recorder->workbookPath()); },
             "does not exist", true},
            {"NotAWorkbook", [](SaveTest &t, MemorySlip &) { writeFile(t.recorder->workbookPath(), "a,b\n1,2\n"); },
             "not an Excel 97-2003 workbook", true},
            {"LockedWorkbook",
             [](SaveTest &t, MemorySlip &) {
                 writeFile(CalcWorkbook::lockFilePath(t.recorder->workbookPath()),
                           "Li Hua,lihua,DESK2,11.12.2026 09:00,file:///C:/Users/lihua;");
             },
             "(by Li Hua on DESK2)", true},
            {"LockedWorkbookOfAnUnnamedUser",
             [](SaveTest &t, MemorySlip &) {
                 writeFile(CalcWorkbook::lockFilePath(t.recorder->workbookPath()),
                           ",wangfang,DESK3,11.12.2026 09:00,file:///home/wangfang/.config/libreoffice/4;");
             },
             "(by wangfang on DESK3)", true},
            {"EmptyCounter",
             [](SaveTest &t, MemorySlip &) {
                 static_cast<SaveRefusal &>(t).setCounter([](const uno::Reference<table::XCell> &cell) {
                     uno::Reference<text::XText>(cell, uno::UNO_QUERY_THROW)->setString(rtl::OUString());
                 });
             },
             "is empty", true},
            {"TextCounter", [](SaveTest &t, MemorySlip &) { static_cast<SaveRefusal &>(t).setCounterText("next"); },
             "\"next\", which is no number", true},
            {"ZeroCounter", [](SaveTest &t, MemorySlip &) { static_cast<SaveRefusal &>(t).setCounterValue(0); },
             "names row 0", true},
            {"CounterBeyondTheSheet",
             [](SaveTest &t, MemorySlip &) { static_cast<SaveRefusal &>(t).setCounterValue(65537); },
             "names row 65537", true},
            {"EmptyDeduction", [](SaveTest &, MemorySlip &slip) { slip.setText(24, QString()); },
             "'' is not a valid floating point value", false},
        };
    }
};

TEST_P(SaveRefusal, IsReportedAndLeavesBothFilesAsTheyWere)
{
    const Refusal &refusal = GetParam();
    MemorySlip slip = filledSlip();
    refusal.arrange(*this, slip);
    const QByteArray ledgerBefore = bytesOf(recorder->ledgerPath());
    const QByteArray workbookBefore = bytesOf(recorder->workbookPath());
    const QStringList filesBefore = QDir(folder->path()).entryList(QDir::Files | QDir::Hidden);

    const QString message = saveMessage(slip);

    EXPECT_TRUE(message.contains(QString::fromUtf8(refusal.message))) << message.toStdString();
    if (refusal.namesWorkbook) {
        EXPECT_TRUE(message.contains(recorder->workbookPath())) << message.toStdString();
    }
    EXPECT_EQ(bytesOf(recorder->ledgerPath()), ledgerBefore);
    EXPECT_EQ(bytesOf(recorder->workbookPath()), workbookBefore);
    EXPECT_EQ(QDir(folder->path()).entryList(QDir::Files | QDir::Hidden), filesBefore);
    QFile::remove(CalcWorkbook::lockFilePath(recorder->workbookPath()));
}

INSTANTIATE_TEST_SUITE_P(Cases, SaveRefusal, ::testing::ValuesIn(RefusalCases::all()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(SaveTest, AnEmptyLockFileOfAnOfficeKilledWhileMakingItDoesNotStopTheSave)
{
    // Made just now, so the save first gives its office time to write it.
    const QString lockFile = CalcWorkbook::lockFilePath(recorder->workbookPath());
    writeFile(lockFile, QByteArray());
    const QByteArray ledgerBefore = bytesOf(recorder->ledgerPath());

    EXPECT_EQ(saveMessage(filledSlip()), QString());
    EXPECT_NE(bytesOf(recorder->ledgerPath()), ledgerBefore);
    EXPECT_FALSE(QFile::exists(lockFile));
}

TEST_F(SaveTest, AnOfficeThatHangsIsStoppedInBoundedTimeAndTheNextSaveWorks)
{
    recorder->save(filledSlip());  // the recorder's office is up
    SetUp();
    const pid_t office = recorderOfficeProcess(helper->pid());
    ASSERT_GT(office, 0);
    const QByteArray ledgerBefore = bytesOf(recorder->ledgerPath());
    const QByteArray workbookBefore = bytesOf(recorder->workbookPath());
    ::kill(office, SIGSTOP);

    const auto start = std::chrono::steady_clock::now();
    const QString message = saveMessage(filledSlip());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(8));
    EXPECT_TRUE(message.contains(QStringLiteral("did not answer within 5 seconds"))) << message.toStdString();
    EXPECT_EQ(bytesOf(recorder->ledgerPath()), ledgerBefore);
    EXPECT_EQ(bytesOf(recorder->workbookPath()), workbookBefore);

    EXPECT_EQ(saveMessage(filledSlip()), QString());
    EXPECT_NE(bytesOf(recorder->workbookPath()), workbookBefore);
}

TEST_F(SaveTest, WithoutLibreOfficeStartUpWorksAndTheSaveReportsIt)
{
    OfficeOptions options;
    options.program = QStringLiteral("/nonexistent/soffice");
    PaymentRecorder withoutOffice(folder->path(), options);
    const QByteArray ledgerBefore = bytesOf(recorder->ledgerPath());
    const QByteArray workbookBefore = bytesOf(recorder->workbookPath());
    const QString message = [&] {
        try {
            withoutOffice.save(filledSlip());
        } catch (const Exception &error) {
            return error.message();
        }
        return QString();
    }();
    EXPECT_TRUE(message.contains(QStringLiteral("/nonexistent/soffice")) && message.contains(recorder->workbookPath()))
        << message.toStdString();
    EXPECT_EQ(bytesOf(recorder->ledgerPath()), ledgerBefore);
    EXPECT_EQ(bytesOf(recorder->workbookPath()), workbookBefore);
}

TEST(OfficeStart, SkipsTheChecksOfAFirstStart)
{
    // The office runs its checks of a first start (and logs them in its
    // profile) when the profile does not name this version as its last.
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const bool hadTemp = qEnvironmentVariableIsSet("TMPDIR");
    const QByteArray oldTemp = qgetenv("TMPDIR");
    const auto restoreTemp = qScopeGuard([&] { hadTemp ? qputenv("TMPDIR", oldTemp) : qunsetenv("TMPDIR"); });
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    {
        Office office{OfficeOptions()};
        const QStringList profiles = QDir(temp.path()).entryList({Office::ProfileFolderPrefix + QLatin1Char('*')}, QDir::Dirs);
        ASSERT_EQ(profiles.size(), 1);
        const QDir user(QDir(temp.filePath(profiles.first())).filePath(QStringLiteral("user")));
        EXPECT_TRUE(user.exists(QStringLiteral("registrymodifications.xcu")));
        EXPECT_FALSE(user.exists(QStringLiteral("GraphicsRenderTests.log")));
    }
}

} // namespace
