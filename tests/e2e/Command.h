#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Runs a command-line tool to its end (at most 30 s) and gives its standard
// output. A tool that cannot start, fails or hangs fails the current test,
// with its error output, and gives nothing.
QByteArray runCommand(const QString &program, const QStringList &arguments,
                      const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());
