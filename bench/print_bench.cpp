// Times Print from the click to the job handed to the spooler: the median of
// 20 prints of the start-up slip with the default layout.
//
// It prints to the default printer. Unless SLIP_CAPTURE_DIR says a private
// spooler is already set up (as in the test command), it starts one of its
// own with scripts/print-spooler.sh (as root), so no paper is used.
#include "Median.h"

#include "CoordinateFile.h"
#include "PrinterError.h"
#include "SlipPrinter.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

namespace {

constexpr int Prints = 20;

// A private spooler for the run, stopped when this goes out of scope.
class PrivateSpooler {
public:
    bool start()
    {
        if (!m_dir.isValid())
            return false;
        QProcess script;
        script.start(QStringLiteral("bash"), {spoolerScript(), QStringLiteral("start"),
                                              statePath(), m_dir.filePath(QStringLiteral("jobs"))});
        if (!script.waitForFinished(60000) || script.exitCode() != 0) {
            std::fprintf(stderr, "%s", script.readAllStandardError().constData());
            return false;
        }
        m_started = true;
        for (const QByteArray &line : script.readAllStandardOutput().split('\n'))
            if (line.startsWith("CUPS_SERVER="))
                qputenv("CUPS_SERVER", line.mid(int(qstrlen("CUPS_SERVER="))));
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
        return true;
    }
    ~PrivateSpooler()
    {
        if (m_started)
            QProcess::execute(QStringLiteral("bash"), {spoolerScript(), QStringLiteral("stop"), statePath()});
    }

private:
    QTemporaryDir m_dir{QStringLiteral("/tmp/settleslip-bench-XXXXXX")};
    bool m_started = false;

    static QString spoolerScript()
    {
        return QStringLiteral(SETTLESLIP_SOURCE_DIR "/scripts/print-spooler.sh");
    }
    QString statePath() const { return m_dir.filePath(QStringLiteral("state")); }
};


} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PrivateSpooler spooler;
    if (qEnvironmentVariableIsEmpty("SLIP_CAPTURE_DIR") && !spooler.start()) {
        std::fprintf(stderr, "print_bench: could not start a private spooler\n");
        return 1;
    }
    QGuiApplication app(argc, argv);

    try {
        const PrintLayout layout = readCoordinateFile(QStringLiteral("/nonexistent/ini")).layout;
        const auto printer = SlipPrinter::setUpDefault(layout);
        const MemorySlip slip;
        std::vector<double> milliseconds;
        QElapsedTimer timer;
        for (int i = 0; i < Prints; ++i) {
            timer.start();
            printer->print(slip);
            milliseconds.push_back(timer.nsecsElapsed() / 1e6);
        }
        std::printf("Print to job handed to the spooler (median of %d)\t%.1f ms\n", Prints,
                    median(milliseconds));
    } catch (const Exception &e) {
        std::fprintf(stderr, "print_bench: %s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
