#pragma once

#include <QString>

#include <functional>

class QWidget;

// The text a message box shows for an error: the message with a full stop
// added, unless it is empty or already ends in "." or a character coded
// below it.
QString messageBoxText(const QString &message);

// The title of the program's message boxes: the program file's name without
// its folder and without everything from its first full stop on, with every
// letter after the first in lower case.
QString applicationTitle(const QString &programPath);

// Shows an error in a modal message box with the error icon and waits until
// it is dismissed.
void showErrorMessage(QWidget *parent, const QString &message);

// Shows the exception being handled; call it only inside a catch block.
// An Abort passes silently; anything that is not an Exception shows its own
// text, or an empty box when it has none.
void showCurrentException(QWidget *parent);

// Runs one event handler. An error that leaves it is shown and the window
// carries on; an Abort passes silently.
void runHandler(QWidget *window, const std::function<void()> &handler);
