#include "CoordinateFile.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

class CoordinateFileTest : public testing::Test {
protected:
    QString path() const { return dir.filePath(QString::fromUtf8(CoordinateFileName)); }

    void writeBytes(const QByteArray &bytes) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    void writeText(const QString &text) const
    {
        QStringEncoder encoder("GB18030");
        writeBytes(encoder.encode(text));
    }

    // Every pair except those listed is the default (110, 110).
    static void expectDefaultPairsExcept(const PrintLayout &layout, std::initializer_list<int> set)
    {
        for (int n = 0; n < PrintLayout::PairCount; ++n) {
            if (std::find(set.begin(), set.end(), n) != set.end())
                continue;
            EXPECT_EQ(layout.left[n], 110) << "Left of pair " << n;
            EXPECT_EQ(layout.top[n], 110) << "Top of pair " << n;
        }
    }

    static void expectAllDefaults(const CoordinateFileContents &read)
    {
        expectDefaultPairsExcept(read.layout, {});
        EXPECT_EQ(read.layout.fontSize, 14);
        EXPECT_EQ(read.layout.pageLength, 1200);
        EXPECT_EQ(read.layout.pageWidth, 2600);
        EXPECT_EQ(read.reviewer, QStringLiteral(" "));
        EXPECT_EQ(read.auditor, QStringLiteral(" "));
        EXPECT_EQ(read.receiver, QStringLiteral(" "));
    }

    QTemporaryDir dir;
};

TEST_F(CoordinateFileTest, ReadsTheHandWrittenExample)
{
    writeText(QStringLiteral(
        "[Edit0]\r\nLeft=-20\r\nTop=15\r\n"
        "[Edit1]\r\nLeft=300\r\nTop=120\r\n"
        "[Edit53]\r\nLeft=0x64\r\nTop=abc\r\n"
        "[Font]\r\nSize=10\r\n"
        "[Page]\r\nPagelength=1397\r\nPagewitch=2410\r\n"
        "[Name]\r\n复核=甲\r\n审核=乙\r\n受理=丙\r\n"));

    const CoordinateFileContents read = readCoordinateFile(path());
    const PrintLayout &layout = read.layout;
    EXPECT_EQ(layout.left[0], -20);
    EXPECT_EQ(layout.top[0], 15);
    EXPECT_EQ(layout.left[1], 300);
    EXPECT_EQ(layout.top[1], 120);
    EXPECT_EQ(layout.left[53], 100);
    EXPECT_EQ(layout.top[53], 110);
    expectDefaultPairsExcept(layout, {0, 1, 53});
    EXPECT_EQ(layout.fontSize, 10);
    EXPECT_EQ(layout.pageLength, 1397);
    EXPECT_EQ(layout.pageWidth, 2410);
    EXPECT_EQ(read.reviewer, QStringLiteral("甲"));
    EXPECT_EQ(read.auditor, QStringLiteral("乙"));
    EXPECT_EQ(read.receiver, QStringLiteral("丙"));
}

TEST_F(CoordinateFileTest, MissingFileGivesAllDefaults)
{
    expectAllDefaults(readCoordinateFile(path()));
}

TEST_F(CoordinateFileTest, DirectoryInPlaceOfTheFileGivesAllDefaults)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QString::fromUtf8(CoordinateFileName)));
    expectAllDefaults(readCoordinateFile(path()));
}

TEST_F(CoordinateFileTest, WidthUnderAnotherKeyKeepsTheDefaultWidth)
{
    writeText(QStringLiteral("[Page]\nPagewidth=2410\nWidth=2410\n[Paper]\nPagewitch=2410\n"));
    EXPECT_EQ(readCoordinateFile(path()).layout.pageWidth, 2600);
}

TEST_F(CoordinateFileTest, SectionsOfUnprintedBoxesChangeNothing)
{
    writeText(QStringLiteral("[Edit56]\nLeft=1\nTop=1\n[Edit57]\nLeft=1\n[Edit58]\nTop=1\n"));
    expectAllDefaults(readCoordinateFile(path()));
}

TEST_F(CoordinateFileTest, InvalidGbkSpoilsOnlyItsOwnValue)
{
    // 0x81 0x20 is no GBK character and 0xFF is no byte of GBK at all.
    writeBytes(QByteArray("[Name]\n\xB8\xB4\xBA\xCB=\x81\x20\xFF\n[Font]\nSize=9\n"));
    const CoordinateFileContents read = readCoordinateFile(path());
    EXPECT_FALSE(read.reviewer.isEmpty());
    EXPECT_NE(read.reviewer, QStringLiteral(" "));
    EXPECT_EQ(read.auditor, QStringLiteral(" "));
    EXPECT_EQ(read.layout.fontSize, 9);
}

TEST_F(CoordinateFileTest, BinaryGarbageIsReadWithoutHarm)
{
    std::mt19937 generator(20120101);
    std::uniform_int_distribution<int> byte(0, 255);
    QByteArray garbage(1 << 20, Qt::Uninitialized);
    for (char &c : garbage)
        c = char(byte(generator));
    // Whatever the garbage holds, a well-formed section after it still counts.
    writeBytes(garbage + "\n[Font]\nSize=9\n");
    EXPECT_EQ(readCoordinateFile(path()).layout.fontSize, 9);
}

} // namespace
