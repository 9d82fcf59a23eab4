#pragma once

// What the tests share for reading texts and files.

#include <QByteArray>
#include <QFile>
#include <QString>

// A text written in the test's source, which is UTF-8.
inline QString u(const char *text)
{
    return QString::fromUtf8(text);
}

// The bytes of a file, or "(missing)" when it cannot be read.
inline QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}
