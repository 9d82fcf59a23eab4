// Coordinate files no one would write by hand: huge, with enormous lines,
// with names and values that are no GBK. Each still reads, quickly, and the
// well-formed lines at its end still count.
#include "CoordinateFile.h"
#include "ProfileFile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr qsizetype FiftyMegabytes = 50 << 20;
constexpr qsizetype LongLine = 100'000;

// Lines that every hostile file ends with, and what they must give. No head
// opens these sections: the first section of a name is the one that counts.
const QByteArray WellFormedTail = "\n[Edit1]\nLeft=300\n[Font]\nSize=9\n[Name]\n\xB8\xB4\xBA\xCB=\xBC\xD7\n";

void expectTailRead(const CoordinateFileContents &read)
{
    EXPECT_EQ(read.layout.left[1], 300);
    EXPECT_EQ(read.layout.fontSize, 9);
    EXPECT_EQ(read.reviewer, QStringLiteral("甲"));  // 复核=甲
}

// Lines of `line` until the bytes reach `size`.
QByteArray repeatedLines(const QByteArray &line, qsizetype size)
{
    return line.repeated(size / line.size() + 1);
}

struct HostileCase {
    const char *name;
    std::function<QByteArray()> head;  // what comes before the tail
};

class HostileCoordinateFile : public testing::TestWithParam<HostileCase> {};

TEST_P(HostileCoordinateFile, ReadsTheWellFormedTailInBoundedTime)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QString::fromUtf8(CoordinateFileName));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const QByteArray bytes = GetParam().head() + WellFormedTail;
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QElapsedTimer timer;
    timer.start();
    const CoordinateFileContents read = readCoordinateFile(path);
    expectTailRead(read);
    // A slow read would hold up the start of the program; the bound is
    // generous for a sanitizer build on a busy machine.
    EXPECT_LT(timer.elapsed(), 30'000) << "ms to read";
}

INSTANTIATE_TEST_SUITE_P(Files, HostileCoordinateFile, testing::Values(
    HostileCase{"FiftyMegabytesOfComments",
                [] { return repeatedLines("; " + QByteArray(60, 'x') + "\r\n", FiftyMegabytes); }},
    HostileCase{"FiftyMegabytesWithoutALineEnd",
                [] { return "[Edit2]\nTop=" + QByteArray(FiftyMegabytes, '7'); }},
    HostileCase{"LongSectionName",
                [] { return "[" + QByteArray(LongLine, 'E') + "]\nLeft=1\n"; }},
    HostileCase{"LongKeyName",
                [] { return "[Edit2]\n" + QByteArray(LongLine, 'K') + "=1\n"; }},
    HostileCase{"LongCommentAndLongLineWithoutEqualsSign",
                [] { return ";" + QByteArray(LongLine, '=') + "\n[Edit2]\n" + QByteArray(LongLine, 'L') + "\n"; }},
    HostileCase{"NamesAndValuesThatAreNoGbk",
                [] {
                    // Lone lead bytes, 0x80 and 0xFF, a four-byte start cut
                    // short, and NUL bytes, in names and values alike.
                    static const char bytes[] =
                        "[\x81\xFF]\n\x80\x00\x95\x32=\xFE\n[Font\xFF]\nSize=\x81\x30\n";
                    return QByteArray(bytes, sizeof bytes - 1);
                }},
    HostileCase{"NulBytesAndLoneCarriageReturns",
                [] {
                    static const char line[] = "\0\r[Edit1]\rLeft=5\r\0";
                    return repeatedLines(QByteArray(line, sizeof line - 1), LongLine);
                }}),
    [](const testing::TestParamInfo<HostileCase> &info) { return std::string(info.param.name); });

TEST(HostileProfileValue, ValueOfALongLineIsCutToTheBufferAndNamesStayApart)
{
    // A key line of 100 000 bytes of double-byte characters: the value keeps
    // whole characters within the buffer, and the section and key of an
    // equally long name do not match a shorter or longer one.
    const QByteArray chinese = "\xBC\xD7";  // 甲
    const QByteArray longName(LongLine, 'S');
    const ProfileFile file = ProfileFile::parse(
        "[" + longName + "]\nK=" + chinese.repeated(LongLine / 2) + "\n");
    const QString value = file.readString(QString::fromLatin1(longName), "K", "?");
    EXPECT_EQ(value, QStringLiteral("甲").repeated(ProfileFile::MaxValueBytes / 2));
    EXPECT_EQ(file.readString(QString::fromLatin1(longName.chopped(1)), "K", "?"), "?");
    EXPECT_EQ(file.readString(QString::fromLatin1(longName + "S"), "K", "?"), "?");
}

} // namespace
