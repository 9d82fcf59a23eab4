#pragma once

#include <QDir>
#include <QSet>
#include <QStringList>

// The job files that the private spooler of the test command keeps in the
// folder named by SLIP_CAPTURE_DIR. Whatever prints there while a test
// watches is taken as that test's own, so such tests hold the ctest lock
// "print_spooler".
class CapturedJobs {
public:
    // False when SLIP_CAPTURE_DIR is not set: no private spooler to print to.
    bool available() const { return !m_folder.path().isEmpty(); }

    CapturedJobs();

    // The files of the jobs printed since the last call (or since this
    // object was made), oldest first, once `expected` of them are there or
    // 30 s have passed.
    QStringList newJobs(int expected);

private:
    QSet<QString> jobFiles() const;

    QDir m_folder{QString()};
    QSet<QString> m_seen;
};
