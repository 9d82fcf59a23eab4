// Starts the real window and quits at its first paint, printing the time
// since the launcher's fork (SETTLESLIP_LAUNCH_NS, CLOCK_MONOTONIC).
#include "TMainForm.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

class FirstPaint : public QObject {
public:
    long long paintedAt = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && paintedAt == 0) {
            paintedAt = monotonicNs();
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

int main(int argc, char *argv[])
{
    const char *launched = std::getenv("SETTLESLIP_LAUNCH_NS");
    QApplication application(argc, argv);
    TMainForm form;
    FirstPaint firstPaint;
    form.findChild<QWidget *>(QStringLiteral("Image1"))->installEventFilter(&firstPaint);
    form.show();
    QApplication::exec();
    if (launched && firstPaint.paintedAt)
        std::printf("%.3f\n", (firstPaint.paintedAt - std::atoll(launched)) / 1e6);
    return 0;
}
