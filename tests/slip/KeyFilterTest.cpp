#include "KeyFilter.h"

#include <gtest/gtest.h>

#include <QString>

namespace {

TEST(NumericKeyFilter, PassesDigitsPointAndBackspace)
{
    const char16_t passed[] = {u'0', u'1', u'2', u'3', u'4', u'5', u'6',
                               u'7', u'8', u'9', u'.', 8 /* backspace */};
    for (char16_t c : passed)
        EXPECT_EQ(NumericKeyFilter(QChar(c)), QChar(c)) << int(c);
}

TEST(NumericKeyFilter, SwallowsEveryOtherCharacter)
{
    const char16_t swallowed[] = {
        u'a', u'z', u'A', u'E', u'e', u' ', u'+', u'-', u',', u';', u'/', u'\'',
        u'_', u'(', u'*', u'#',
        u'\r', u'\n', u'\t', 0x1b /* Escape */, 0x01 /* Ctrl+A */, 0x16 /* Ctrl+V */,
        0x7f, 0x80, 0xa0, 0xb7, 0xe9,
        u'中', u'元', u'。',
        0xff10 /* full-width 0 */, 0xff19 /* full-width 9 */, 0xff0e /* full-width . */,
        0x0660 /* Arabic-Indic 0 */, 0x066b /* Arabic decimal separator */,
        0xd83d /* a lone surrogate */,
    };
    for (char16_t c : swallowed)
        EXPECT_EQ(NumericKeyFilter(QChar(c)), QChar(0)) << int(c);
}

TEST(NumericKeyFilter, AcceptsExactlyTwelveOfTheFirst65536Characters)
{
    int passed = 0;
    for (int code = 0; code <= 0xffff; ++code) {
        const QChar c(static_cast<char16_t>(code));
        const QChar result = NumericKeyFilter(c);
        if (result != QChar(0)) {
            EXPECT_EQ(result, c);
            ++passed;
        }
    }
    EXPECT_EQ(passed, 12);
}

TEST(NumericKeyFilter, TypingKeepsOnlyTheFilteredCharacters)
{
    // Typing 1a2.5- into a numeric box leaves 12.5.
    QString box;
    for (QChar c : QStringLiteral("1a2.5-")) {
        const QChar kept = NumericKeyFilter(c);
        if (kept != QChar(0))
            box += kept;
    }
    EXPECT_EQ(box, "12.5");
}

}  // namespace
