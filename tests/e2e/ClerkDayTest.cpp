// A clerk's day with the real program on a virtual display: two patients
// typed in with the keyboard and the mouse, each printed, saved and cleared;
// then what the clerk gets is read back: the printed pages from the private
// spooler, the ledger's bytes and the workbook through LibreOffice.

#include "CalcWorkbook.h"
#include "CapturedJobs.h"
#include "CoordinateFile.h"
#include "PaymentWorkbook.h"
#include "PdfTools.h"
#include "SlipWindowDriver.h"
#include "TestText.h"
#include "Until.h"
#include "VirtualDisplay.h"
#include "WorkbookContents.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QStringEncoder>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <iostream>
#include <sys/stat.h>

// Texts in failure messages as they read.
void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

const QString LedgerName = u("居民支付表.TXT");

struct TypedBox {
    int box;
    const char *text;
};

using PrintedBox = TypedBox;

// One patient as the clerk types it, and what the program must make of it.
// Amounts the clicks on Edit28 and Edit34 work out are in the expectations
// only: the clerk never types them.
struct Patient {
    std::vector<TypedBox> typed;
    std::vector<PrintedBox> printed;         // beside the declaration date
    std::vector<const char *> notPrinted;    // texts of the previous patient
    std::vector<const char *> ledgerFields;  // the 35 fields; "DATE" pieces filled in
    std::map<int, QString> workbookCells;    // column -> text, with Y/M/D for the date
};

// Box 4 gets today's date from the click; these stand for its pieces.
const char *const Year = "<year>";
const char *const Month = "<month>";
const char *const Day = "<day>";

const std::vector<Patient> &patients()
{
    static const std::vector<Patient> table = {
        {
            {{2, "张三丰"}, {3, "13800001111"}, {5, "0012"}, {7, "M"}, {8, "KN"}, {9, "67"},
             {10, "330102195901011234"}, {12, "桐溪医院"}, {13, "J18.9"}, {14, "内科"}, {15, "2012001"},
             {16, "2012-11-20"}, {17, "2012-12-1"}, {18, "11"}, {20, "12000"}, {23, "300"}, {24, "200"},
             {26, "150.5"}, {27, "49.5"}, {30, "800"}, {56, "230"}, {57, "5600"}},
            {{2, "张三丰"}, {5, "0012"}, {6, "张三丰"}, {13, "J18.9"}, {20, "12000"}, {28, "700"},
             {34, "10500"}, {38, "6825.00"}, {42, "3675.00"}, {45, "6825.00"}, {47, "陆"}, {48, "捌"},
             {49, "贰"}, {50, "伍"}, {51, "零"}, {52, "零"}, {53, "李明"}},
            {},
            {"0012", Year, Month, Day, "", "张三丰", "67", "330102195901011234", "桐溪医院", "", "J18.9", "1",
             "2012-11-20", "2012-12-1", "11", "230", "", "500", "200", "800", "10500", "", "6825.00",
             "3675.00", "0", "", "", "5600", "300", "200", "150.5", "49.5", "", "", "0"},
            {{1, u("0012")}, {2, u(Year)}, {3, u(Month)}, {4, u(Day)}, {6, u("张三丰")}, {7, u("67")},
             {8, u("330102195901011234")}, {9, u("桐溪医院")}, {11, u("J18.9")}, {12, u("1")},
             {13, u("2012-11-20")}, {14, u("2012-12-1")}, {15, u("11")}, {16, u("230")}, {19, u("500")},
             {20, u("200")}, {21, u("800")}, {22, u("10500")}, {24, u("6825")}, {25, u("3675")},
             {26, u("0")}, {29, u("5600")}, {30, u("300")}, {31, u("200")}, {32, u("150.5")},
             {33, u("49.5")}, {35, u("0")}},
        },
        {
            {{2, "李四"}, {5, "0013"}, {7, "F"}, {9, "8"}, {10, "330102200401012345"}, {12, "桐溪医院"},
             {13, "S72.0"}, {14, "外科"}, {16, "2012-12-3"}, {17, "2012-12-9"}, {18, "6"}, {20, "3000.8"},
             {21, "2"}, {22, "1000"}, {24, "120.3"}, {30, "500"}},
            {{2, "李四"}, {5, "0013"}, {6, "李四"}, {13, "S72.0"}, {28, "120.3"}, {34, "2380.5"},
             {38, "1547.33"}, {42, "833.17"}, {45, "1547.33"}, {47, "壹"}, {48, "伍"}, {49, "肆"},
             {50, "柒"}, {51, "叁"}, {52, "叁"}},
            {"张三丰", "0012", "J18.9", "10500", "150.5", "李明"},
            {"0013", Year, Month, Day, "", "李四", "8", "330102200401012345", "桐溪医院", "", "S72.0", "2",
             "2012-12-3", "2012-12-9", "6", "0", "", "120.3", "0", "500", "2380.5", "", "1547.33",
             "833.17", "0", "", "", "0", "0", "120.3", "0", "0", "", "", "1000"},
            {{1, u("0013")}, {2, u(Year)}, {3, u(Month)}, {4, u(Day)}, {6, u("李四")}, {7, u("8")},
             {8, u("330102200401012345")}, {9, u("桐溪医院")}, {11, u("S72.0")}, {12, u("2")},
             {13, u("2012-12-3")}, {14, u("2012-12-9")}, {15, u("6")}, {16, u("0")}, {19, u("120.3")},
             {20, u("0")}, {21, u("500")}, {22, u("2380.5")}, {24, u("1547.33")}, {25, u("833.17")},
             {26, u("0")}, {29, u("0")}, {30, u("0")}, {31, u("120.3")}, {32, u("0")}, {33, u("0")},
             {35, u("1000")}},
        },
    };
    return table;
}

// The date pieces of today, as the click on Edit4 puts them into the slip.
QString withToday(const QString &text, const QDate &today)
{
    if (text == u(Year))
        return QString::number(today.year());
    if (text == u(Month))
        return QString::number(today.month());
    if (text == u(Day))
        return QString::number(today.day());
    return text;
}

QByteArray ledgerLine(const Patient &patient, const QDate &today)
{
    QString line;
    for (const char *field : patient.ledgerFields)
        line += withToday(u(field), today) + QLatin1Char('\t');
    line += QStringLiteral("\r\n");
    return QStringEncoder("GB18030").encode(line);
}

// The file's identity: a save puts a new file in the workbook's place.
ino_t inodeOf(const QString &path)
{
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_ino : 0;
}

const PdfWord *findWord(const PdfPage &page, const QString &text, double xMm, double yMm)
{
    constexpr double toleranceMm = 0.6;
    for (const PdfWord &word : page.words) {
        if (word.text == text && std::abs(word.xMin * MillimetresPerPoint - xMm) < toleranceMm
            && std::abs(word.yMin * MillimetresPerPoint - yMm) < toleranceMm)
            return &word;
    }
    return nullptr;
}

// The page holds each expected text at its box's place in the coordinate
// file, measured from the serial number's place (the printer's margins
// cancel out), and none of the texts that must be gone.
void expectPrinted(const QString &job, const Patient &patient, const PrintLayout &layout, const QDate &today)
{
    const std::vector<PdfPage> pages = readPdfText(job);
    ASSERT_EQ(pages.size(), 1u) << job.toStdString();
    const PdfPage &page = pages[0];
    SCOPED_TRACE("printed: " + wordsOf(page).join(QLatin1Char(' ')).toStdString());
    const auto serialBox = std::find_if(patient.printed.begin(), patient.printed.end(),
                                        [](const PrintedBox &printed) { return printed.box == 5; });
    ASSERT_NE(serialBox, patient.printed.end());
    const QString serial = u(serialBox->text);
    const PdfWord *anchor = nullptr;
    for (const PdfWord &word : page.words)
        anchor = word.text == serial ? &word : anchor;
    ASSERT_NE(anchor, nullptr) << "no serial number " << serial.toStdString();
    const auto place = [&](int box, QString text) {
        const double x = anchor->xMin * MillimetresPerPoint + (layout.left[box] - layout.left[5]) / 10.0;
        const double y = anchor->yMin * MillimetresPerPoint + (layout.top[box] - layout.top[5]) / 10.0;
        EXPECT_NE(findWord(page, text, x, y), nullptr)
            << "Edit" << box << " " << text.toStdString() << " not at " << x << ", " << y << " mm";
    };
    place(4, QStringLiteral("%1-%2-%3").arg(today.year()).arg(today.month()).arg(today.day()));
    for (const PrintedBox &printed : patient.printed)
        place(printed.box, u(printed.text));
    for (const char *gone : patient.notPrinted)
        EXPECT_FALSE(wordsOf(page).contains(u(gone))) << gone;
}

TEST(ClerkDay, TwoPatientsTypedPrintedSavedAndCleared)
{
    CapturedJobs captured;
    if (!captured.available())
        GTEST_SKIP() << "SLIP_CAPTURE_DIR is not set: no private spooler to print to";
    QElapsedTimer elapsed;
    elapsed.start();

    // A fresh working folder: the sample coordinate file, an empty ledger,
    // and a new workbook that the office makes while the clerk types.
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QDir examples(QStringLiteral(EXAMPLE_WORKDIR));
    for (const QString &name : examples.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(examples.filePath(name), folder.filePath(name))) << name.toStdString();
    const QString ledger = folder.filePath(LedgerName);
    const QString workbook = folder.filePath(PaymentWorkbook::FileName);
    ASSERT_EQ(bytesOf(ledger), QByteArray());
    QProcess makeWorkbook;
    makeWorkbook.setProcessChannelMode(QProcess::MergedChannels);
    makeWorkbook.start(QStringLiteral(MAKE_WORKBOOK), {folder.path()});
    const auto stopMakeWorkbook = qScopeGuard([&] {
        makeWorkbook.kill();
        makeWorkbook.waitForFinished();
    });
    const PrintLayout layout = readCoordinateFile(folder.filePath(u(CoordinateFileName))).layout;

    VirtualDisplay display;
    ASSERT_TRUE(display.running());
    SlipWindowDriver window(display, QStringLiteral(SETTLESLIP_PROGRAM), folder.path());
    ASSERT_TRUE(window.waitForWindow());
    const QDate today = QDate::currentDate();

    QByteArray expectedLedger;
    for (size_t i = 0; i < patients().size(); ++i) {
        const Patient &patient = patients()[i];
        SCOPED_TRACE("patient " + std::to_string(i + 1));
        window.clickBox(4);
        for (const TypedBox &typed : patient.typed)
            window.typeIntoBox(typed.box, u(typed.text));
        window.clickBox(6);
        window.clickBox(28);
        window.clickBox(34);
        if (i == 0) {
            const QString screenshot = QDir::current().absoluteFilePath(QStringLiteral("clerk-day-window.png"));
            window.screenshot(screenshot);
            std::cout << "Screenshot of the filled window: " << screenshot.toStdString() << std::endl;
            EXPECT_EQ(QImage(screenshot).size(), QSize(854, 467));
        }

        window.clickButton(1);
        const QStringList jobs = captured.newJobs(1);
        ASSERT_EQ(jobs.size(), 1) << "Print made no job";
        expectPrinted(jobs[0], patient, layout, today);

        if (i == 0) {
            ASSERT_TRUE(makeWorkbook.waitForFinished(60000));
            ASSERT_EQ(makeWorkbook.exitCode(), 0) << makeWorkbook.readAll().toStdString();
        }
        const ino_t before = inodeOf(workbook);
        expectedLedger += ledgerLine(patient, today);
        window.clickButton(2);
        // The save appends the line, then puts the new workbook in place
        // and lets it go.
        const bool saved = waitUntil(
            [&] {
                return bytesOf(ledger).count("\r\n") > qsizetype(i) && inodeOf(workbook) != before
                       && !QFile::exists(CalcWorkbook::lockFilePath(workbook));
            },
            90000);
        if (!saved)
            window.screenshot(QDir::current().absoluteFilePath(QStringLiteral("clerk-day-save-failed.png")));
        ASSERT_TRUE(saved) << "Save did not finish; the screen is in clerk-day-save-failed.png; the ledger holds "
                           << QString::fromUtf8(bytesOf(ledger).toPercentEncoding("\t")).toStdString();
        window.clickButton(3);
    }
    window.stop();

    EXPECT_EQ(bytesOf(ledger), expectedLedger);

    const WorkbookContents contents = WorkbookContents::read(workbook, {3, 4, 5});
    EXPECT_EQ(contents.counter, QStringLiteral("5"));
    ASSERT_EQ(contents.rows.size(), 3u);
    for (size_t i = 0; i < patients().size(); ++i) {
        std::map<int, QString> expected;
        for (const auto &[column, text] : patients()[i].workbookCells)
            expected[column] = withToday(text, today);
        EXPECT_EQ(contents.rows[i], expected) << "row " << i + 3;
    }
    EXPECT_TRUE(contents.rows[2].empty()) << "row 5 holds something";
    std::cout << "The clerk's day took " << elapsed.elapsed() << " ms" << std::endl;
}

}  // namespace
