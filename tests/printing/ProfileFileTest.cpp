#include "ProfileFile.h"

#include <QStringEncoder>

#include <limits>
#include <optional>

#include <gtest/gtest.h>

namespace {

QByteArray gbk(const QString &text)
{
    QStringEncoder encoder("GB18030");
    return encoder.encode(text);
}

ProfileFile parse(const QString &text)
{
    return ProfileFile::parse(gbk(text));
}

constexpr qint32 Absent = -999;

// ----- integers -------------------------------------------------------------

struct IntegerCase {
    const char *value;
    std::optional<qint32> expected;  // nothing: the default
};

class ProfileInteger : public testing::TestWithParam<IntegerCase> {};

TEST_P(ProfileInteger, ConvertsOrFallsBackToDefault)
{
    const IntegerCase &c = GetParam();
    const ProfileFile file = parse(QStringLiteral("[S]\r\nK=%1\r\n").arg(QLatin1String(c.value)));
    EXPECT_EQ(file.readInteger("S", "K", Absent), c.expected.value_or(Absent))
        << "value \"" << c.value << '"';
}

INSTANTIATE_TEST_SUITE_P(Values, ProfileInteger, testing::Values(
    IntegerCase{"110", 110},
    IntegerCase{"0x6E", 110},
    IntegerCase{"0X6e", 110},
    IntegerCase{"$6E", 110},
    IntegerCase{"-50", -50},
    IntegerCase{"+7", 7},
    IntegerCase{" 42 ", 42},
    IntegerCase{"0007", 7},
    IntegerCase{"2147483647", 2147483647},
    IntegerCase{"-2147483648", std::numeric_limits<qint32>::min()},
    IntegerCase{"0xFFFFFFFF", -1},
    IntegerCase{"$FFFFFFFF", -1},
    IntegerCase{"$7FFFFFFF", 2147483647},
    IntegerCase{"0x80000000", std::numeric_limits<qint32>::min()},
    IntegerCase{"12abc", std::nullopt},
    IntegerCase{"abc", std::nullopt},
    IntegerCase{"", std::nullopt},
    IntegerCase{"2147483648", std::nullopt},
    IntegerCase{"-2147483649", std::nullopt},
    IntegerCase{"99999999999999999999", std::nullopt},
    IntegerCase{"0x123456789", std::nullopt},
    IntegerCase{"0x", std::nullopt},
    IntegerCase{"$", std::nullopt},
    IntegerCase{"0xG1", std::nullopt},
    IntegerCase{"-0x10", std::nullopt},
    IntegerCase{"-", std::nullopt},
    IntegerCase{"+", std::nullopt},
    IntegerCase{"1 2", std::nullopt},
    IntegerCase{"1.5", std::nullopt}));

// ----- names, sections and lines --------------------------------------------

struct LookupCase {
    const char *name;
    const char *text;
    std::optional<qint32> expected;  // of section "Edit1", key "Left"
};

class ProfileLookup : public testing::TestWithParam<LookupCase> {};

TEST_P(ProfileLookup, FindsTheValueThatCounts)
{
    const LookupCase &c = GetParam();
    const ProfileFile file = parse(QString::fromUtf8(c.text));
    EXPECT_EQ(file.readInteger("Edit1", "Left", Absent), c.expected.value_or(Absent));
}

INSTANTIATE_TEST_SUITE_P(Lines, ProfileLookup, testing::Values(
    LookupCase{"UpperCaseSection", "[EDIT1]\nLeft=300\n", 300},
    LookupCase{"LowerCaseSection", "[edit1]\nLeft=300\n", 300},
    LookupCase{"MixedCaseKey", "[Edit1]\nlEfT=300\n", 300},
    LookupCase{"BlanksAroundNamesAndValue", "  [ Edit1 ]  \n\t Left \t=\t 300 \t\n", 300},
    LookupCase{"WindowsLineEnds", "[Edit1]\r\nLeft=300\r\n", 300},
    LookupCase{"LastLineWithoutEnd", "[Edit1]\nLeft=300", 300},
    LookupCase{"FirstKeyWins", "[Edit1]\nLeft=300\nLeft=400\n", 300},
    LookupCase{"FirstSectionWins", "[Edit1]\nTop=1\n[Edit1]\nLeft=400\n", std::nullopt},
    LookupCase{"OtherSectionIgnored", "[Edit10]\nLeft=300\n", std::nullopt},
    LookupCase{"KeyBeforeAnySection", "Left=300\n[Edit1]\n", std::nullopt},
    LookupCase{"CommentLine", "[Edit1]\n;Left=300\n", std::nullopt},
    LookupCase{"LineWithoutEqualsSign", "[Edit1]\nLeft 300\nLeft=400\n", 400},
    LookupCase{"UnclosedSectionOpensNothing", "[Edit2]\n[Edit1\nLeft=300\n", std::nullopt},
    LookupCase{"SectionEndsAtLastBracket", "[Edit1]]\nLeft=300\n", std::nullopt},
    LookupCase{"ValueInDoubleQuotes", "[Edit1]\nLeft=\"300\"\n", 300},
    LookupCase{"ValueInSingleQuotes", "[Edit1]\nLeft='300'\n", 300},
    LookupCase{"UnmatchedQuote", "[Edit1]\nLeft=\"300\n", std::nullopt},
    LookupCase{"ValueWithEqualsSign", "[Edit1]\nLeft=300=4\n", std::nullopt}),
    [](const testing::TestParamInfo<LookupCase> &info) { return std::string(info.param.name); });

TEST(ProfileFile, ChineseKeysCompareExactlyAndValuesKeepTheirBlanksInside)
{
    const ProfileFile file = parse(QStringLiteral("[name]\n复核 = 张 三 \n审核=\n"));
    EXPECT_EQ(file.readString("Name", QStringLiteral("复核"), "?"), QStringLiteral("张 三"));
    // Present but empty is not absent.
    EXPECT_EQ(file.readString("Name", QStringLiteral("审核"), "?"), QString());
    EXPECT_EQ(file.readString("Name", QStringLiteral("受理"), "?"), QStringLiteral("?"));
}

TEST(ProfileFile, CaseFoldingLeavesGbkTrailBytesAlone)
{
    // 癆 is B0 41 and 癮 is B0 61 in GBK: their trail bytes are the ASCII
    // letters "A" and "a", yet the two keys are different names.
    const ProfileFile file = parse(QStringLiteral("[S]\n癆=1\n癮=2\n"));
    EXPECT_EQ(gbk(QStringLiteral("癆")), QByteArray("\xB0\x41"));
    EXPECT_EQ(file.readInteger("S", QStringLiteral("癆"), Absent), 1);
    EXPECT_EQ(file.readInteger("S", QStringLiteral("癮"), Absent), 2);
}

// ----- the length of a string value ------------------------------------------

TEST(ProfileValueLength, NameIsCutToTheBufferOnBytesNotCharacters)
{
    const QString chinese = QStringLiteral("甲");
    struct Case {
        QString written;
        QString arrives;
    } cases[] = {
        {QString(2047, u'a'), QString(2047, u'a')},
        {QString(100000, u'a'), QString(2047, u'a')},
        {QString(2045, u'a') + chinese.repeated(5), QString(2045, u'a') + chinese},
        {chinese.repeated(1500), chinese.repeated(1023)},
    };
    for (const Case &c : cases) {
        const ProfileFile file = parse(QStringLiteral("[Name]\nK=%1\n").arg(c.written));
        EXPECT_EQ(file.readString("Name", "K", "?"), c.arrives)
            << "written " << c.written.size() << " characters";
    }
}

struct CutCase {
    const char *name;
    QByteArray bytes;
    qsizetype limit;
    QByteArray kept;
};

class WholeCharacterCut : public testing::TestWithParam<CutCase> {};

TEST_P(WholeCharacterCut, KeepsNoPartOfACharacter)
{
    const CutCase &c = GetParam();
    EXPECT_EQ(cutToWholeCharacters(c.bytes, c.limit).toByteArray(), c.kept);
}

// 甲 is BC D7 in GBK; U+20000 is 95 32 82 36 in GB18030.
INSTANTIATE_TEST_SUITE_P(Bytes, WholeCharacterCut, testing::Values(
    CutCase{"ShortIsKept", "ab\xBC\xD7", 4, "ab\xBC\xD7"},
    CutCase{"AsciiCutAnywhere", "abcdef", 4, "abcd"},
    CutCase{"DoubleByteEndsOnTheLimit", "ab\xBC\xD7\xBC\xD7", 4, "ab\xBC\xD7"},
    CutCase{"DoubleByteWouldBeSplit", "abc\xBC\xD7", 4, "abc"},
    CutCase{"TrailByteThatLooksLikeALead", "\xBC\xD7\xBC\xD7", 3, "\xBC\xD7"},
    CutCase{"FourByteWouldBeSplit", "a\x95\x32\x82\x36", 4, "a"},
    CutCase{"FourByteEndsOnTheLimit", "a\x95\x32\x82\x36z", 5, "a\x95\x32\x82\x36"},
    CutCase{"MalformedBytesCountSingly", "\xFF\x80\x81", 2, "\xFF\x80"}),
    [](const testing::TestParamInfo<CutCase> &info) { return std::string(info.param.name); });

} // namespace
