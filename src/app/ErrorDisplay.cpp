#include "ErrorDisplay.h"

#include "Exception.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

QString messageBoxText(const QString &message)
{
    if (message.isEmpty() || message.back().unicode() <= u'.')
        return message;
    return message + QLatin1Char('.');
}

QString applicationTitle(const QString &programPath)
{
    QString name = QFileInfo(programPath).fileName();
    const qsizetype firstStop = name.indexOf(QLatin1Char('.'));
    if (firstStop >= 0)
        name.truncate(firstStop);
    if (name.isEmpty())
        return name;
    return name.left(1) + name.mid(1).toLower();
}

void showErrorMessage(QWidget *parent, const QString &message)
{
    QMessageBox box(QMessageBox::Critical, applicationTitle(QCoreApplication::applicationFilePath()),
                    messageBoxText(message), QMessageBox::Ok, parent);
    box.exec();
}

void showCurrentException(QWidget *parent)
{
    try {
        throw;
    } catch (const Abort &) {
    } catch (const Exception &error) {
        showErrorMessage(parent, error.message());
    } catch (const std::exception &error) {
        showErrorMessage(parent, QString::fromLocal8Bit(error.what()));
    } catch (...) {
        showErrorMessage(parent, QString());
    }
}

void runHandler(QWidget *window, const std::function<void()> &handler)
{
    try {
        handler();
    } catch (...) {
        showCurrentException(window);
    }
}
