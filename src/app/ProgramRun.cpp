#include "ProgramRun.h"

#include "ErrorDisplay.h"
#include "Exception.h"
#include "TMainForm.h"

#include <QApplication>

int runProgram()
{
    try {
        TMainForm mainForm;
        mainForm.show();
        QApplication::exec();
    } catch (const Exception &error) {
        showErrorMessage(nullptr, error.message());
    } catch (const std::exception &error) {
        showErrorMessage(nullptr, QString::fromLocal8Bit(error.what()));
    } catch (...) {
        showErrorMessage(nullptr, QString());
    }
    return 0;
}
