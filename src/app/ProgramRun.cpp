#include "ProgramRun.h"

#include "ErrorDisplay.h"
#include "TMainForm.h"

#include <QApplication>

int runProgram()
{
    try {
        TMainForm mainForm;
        mainForm.show();
        QApplication::exec();
    } catch (...) {
        showCurrentException(nullptr);
    }
    return 0;
}
