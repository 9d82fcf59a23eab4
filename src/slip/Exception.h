#pragma once

#include <QString>
#include <stdexcept>

// Base of every error the clerk can meet. The message is what the window
// shows; it is kept as UTF-8 so that Chinese file names survive.
class Exception : public std::runtime_error {
public:
    explicit Exception(const QString &message)
        : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromUtf8(what()); }
};

// A deliberate stop of a handler that needs no message.
class Abort : public Exception {
public:
    Abort() : Exception(QString()) {}
};

// A text that is not a number where a number is needed.
class ConversionError : public Exception {
public:
    using Exception::Exception;
};
