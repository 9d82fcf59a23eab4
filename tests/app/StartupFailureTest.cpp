// Start-up where the system has no default printer: the test points the
// printing system at a spooler that does not exist.
#include "ModalMessage.h"
#include "ProgramRun.h"
#include "TMainForm.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

bool mainWindowExists()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<TMainForm *>(widget))
            return true;
    }
    return false;
}

TEST(StartupWithoutPrinter, ShowsTheMessageAndEndsWithExitCodeZero)
{
    int exitCode = -1;
    bool windowExistedDuringMessage = true;
    const auto shown = messageShownBy([&] {
        QTimer::singleShot(0, [&] { windowExistedDuringMessage = mainWindowExists(); });
        exitCode = runProgram();
    });
    EXPECT_EQ(shown, QStringLiteral("There is no default printer currently selected."));
    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(windowExistedDuringMessage);
    EXPECT_FALSE(mainWindowExists());
}

}  // namespace
