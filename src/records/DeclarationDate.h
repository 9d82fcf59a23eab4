#pragma once

#include <QString>

// The three pieces of the declaration date as the records keep them.
struct DeclarationDate {
    QString year;
    QString month;
    QString day;

    bool operator==(const DeclarationDate &) const = default;
};

// Splits the date text of the slip into year, month and day. Works on the
// bytes of the GBK text: the year is the run of leading ASCII digits, one
// byte after it is skipped whatever it is, the month is the next run of
// digits, one more byte is skipped and the rest is the day. Never fails.
DeclarationDate SplitDeclarationDate(const QString &text);
