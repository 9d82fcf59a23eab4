#pragma once

#include "PrintLayout.h"

#include <QString>

// What the coordinate file gives the program: the print layout and the three
// signatory names for Edit53..Edit55.
struct CoordinateFileContents {
    PrintLayout layout;
    QString reviewer;  // Name/复核 -> Edit53
    QString auditor;   // Name/审核 -> Edit54
    QString receiver;  // Name/受理 -> Edit55
};

// The file name, relative to the working directory.
inline constexpr const char *CoordinateFileName = "医院票据坐标.ini";

// Reads the coordinate file once. Never fails and never writes: a missing or
// unreadable file, section or key, and any value that is not an integer, give
// the defaults.
CoordinateFileContents readCoordinateFile(const QString &path);
