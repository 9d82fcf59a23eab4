#include "DeclarationDate.h"

#include "GbkText.h"

namespace {

qsizetype leadingDigits(const QByteArray &bytes)
{
    qsizetype n = 0;
    while (n < bytes.size() && bytes[n] >= '0' && bytes[n] <= '9')
        ++n;
    return n;
}

// The bytes after the first `count` ones; empty when there are no more.
QByteArray after(const QByteArray &bytes, qsizetype count)
{
    return count >= bytes.size() ? QByteArray() : bytes.mid(count);
}

} // namespace

DeclarationDate SplitDeclarationDate(const QString &text)
{
    const QByteArray bytes = toGbk(text);
    const qsizetype yearLength = leadingDigits(bytes);
    const QByteArray rest = after(bytes, yearLength + 1);
    const qsizetype monthLength = leadingDigits(rest);
    // Skipping one byte after the month can cut a double-byte character in
    // two; the half left at the start of the day is no text and is dropped
    // rather than stored as an unreadable byte.
    QString day = fromGbk(after(rest, monthLength + 1));
    if (day.startsWith(QChar::ReplacementCharacter))
        day.remove(0, 1);
    return {fromGbk(bytes.left(yearLength)), fromGbk(rest.left(monthLength)), day};
}
