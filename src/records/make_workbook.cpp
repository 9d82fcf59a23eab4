// make_workbook FOLDER: puts a new, empty payment workbook into FOLDER unless
// one is there already.

#include "CalcWorkbook.h"
#include "Office.h"
#include "PaymentWorkbook.h"
#include "StarterWorkbook.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: make_workbook FOLDER\n");
        return 2;
    }
    const QString path = QDir(arguments[1]).filePath(PaymentWorkbook::FileName);
    if (QFileInfo::exists(path)) {
        std::fprintf(stderr, "%s exists already; it is left as it is.\n", qPrintable(QDir::toNativeSeparators(path)));
        return 1;
    }
    try {
        Office office{OfficeOptions()};
        CalcWorkbook workbook(office);
        makeStarterWorkbook(workbook, path);
    } catch (const Exception &error) {
        std::fprintf(stderr, "%s.\n", qPrintable(error.message()));
        return 1;
    }
    std::printf("Made %s\n", qPrintable(QDir::toNativeSeparators(path)));
    return 0;
}
