#include "ErrorDisplay.h"
#include "Exception.h"
#include "ModalMessage.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(ErrorDisplay, FullStopIsAddedUnlessTheMessageEndsInOneOrBelowIt)
{
    struct Case { const char *message, *shown; };
    const Case cases[] = {
        {"There is no default printer currently selected", "There is no default printer currently selected."},
        {"'1.2.3' is not a valid floating point value", "'1.2.3' is not a valid floating point value."},
        {"", ""},
        {"Already ends.", "Already ends."},
        {"Ends in a blank ", "Ends in a blank "},
        {"Ends in a comma,", "Ends in a comma,"},
        {"Ends in a dash-", "Ends in a dash-"},
        {"Ends in a slash/", "Ends in a slash/."},
        {"文件不存在", "文件不存在."},
        {"quoted '", "quoted '"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(messageBoxText(QString::fromUtf8(c.message)), QString::fromUtf8(c.shown)) << c.message;
}

TEST(ErrorDisplay, TitleIsTheProgramNameUpToItsFirstFullStop)
{
    struct Case { const char *path, *title; };
    const Case cases[] = {
        {"/usr/local/bin/settleslip", "settleslip"},
        {"/opt/Slip/SETTLE.SLIP.exe", "Settle"},
        {"relative/MyProgram", "Myprogram"},
        {"/x/.hidden", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(applicationTitle(QString::fromUtf8(c.path)), QString::fromUtf8(c.title)) << c.path;
}

TEST(ErrorDisplay, HandlerErrorsAreShownAndAbortPassesSilently)
{
    struct Case { std::function<void()> handler; std::optional<QString> shown; };
    const Case cases[] = {
        {[] { throw ConversionError(QStringLiteral("'x' is not a valid floating point value")); },
         QStringLiteral("'x' is not a valid floating point value.")},
        {[] { throw std::runtime_error("disk full"); }, QStringLiteral("disk full.")},
        {[] { throw Abort(); }, std::nullopt},
        {[] { throw 42; }, QString()},
        {[] {}, std::nullopt},
    };
    for (const Case &c : cases) {
        bool returned = false;
        const auto shown = messageShownBy([&] {
            runHandler(nullptr, c.handler);
            returned = true;
        });
        EXPECT_TRUE(returned);
        EXPECT_EQ(shown, c.shown);
    }
}

}  // namespace
