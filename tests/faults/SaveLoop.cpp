// save_loop FOLDER: records the same slip into the ledger and the workbook of
// FOLDER again and again through the recorder the window uses, printing
// "saved N" after each save that completed, until it is killed or a save
// fails ("failed: <message>", exit status 1).

#include "Exception.h"
#include "FaultFolder.h"
#include "PaymentRecorder.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: save_loop FOLDER\n");
        return 2;
    }
    const MemorySlip slip = sampleSlip();
    PaymentRecorder recorder(QString::fromLocal8Bit(argv[1]));
    for (int saved = 1;; ++saved) {
        try {
            recorder.save(slip);
        } catch (const Exception &error) {
            std::printf("failed: %s\n", qPrintable(error.message()));
            return 1;
        }
        std::printf("saved %d\n", saved);
        std::fflush(stdout);
    }
}
