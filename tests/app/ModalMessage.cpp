#include "ModalMessage.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

std::optional<QString> messageShownBy(const std::function<void()> &action)
{
    std::optional<QString> shown;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    poll.start();
    action();
    poll.stop();
    return shown;
}
