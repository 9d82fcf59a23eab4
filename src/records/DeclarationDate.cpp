#include "DeclarationDate.h"

#include "GbkText.h"

#include <algorithm>

namespace {

qsizetype leadingDigits(const QByteArray &bytes, qsizetype from)
{
    qsizetype n = 0;
    while (from + n < bytes.size() && bytes[from + n] >= '0' && bytes[from + n] <= '9')
        ++n;
    return n;
}

// Whether a four-byte character (one that GBK lacks) starts at `pos`,
// walking the characters from the start of the text.
bool startsFourByteCharacter(const QByteArray &bytes, qsizetype pos)
{
    const auto byte = [&](qsizetype i) { return i < bytes.size() ? quint8(bytes[i]) : 0; };
    qsizetype i = 0;
    while (i < pos) {
        if (byte(i) < 0x80)
            i += 1;
        else if (byte(i + 1) >= 0x30 && byte(i + 1) <= 0x39)
            i += 4;
        else
            i += 2;
    }
    return i == pos && byte(pos) >= 0x81 && byte(pos + 1) >= 0x30 && byte(pos + 1) <= 0x39;
}

// Skips the byte at `pos`. A four-byte character is passed over whole: its
// second and fourth bytes are ASCII digits that would otherwise be read as a
// month or a day.
qsizetype skipOneByte(const QByteArray &bytes, qsizetype pos)
{
    return pos + (startsFourByteCharacter(bytes, pos) ? 4 : 1);
}

QByteArray between(const QByteArray &bytes, qsizetype from, qsizetype to)
{
    from = std::min(from, bytes.size());
    return bytes.mid(from, std::min(to, bytes.size()) - from);
}

} // namespace

DeclarationDate SplitDeclarationDate(const QString &text)
{
    const QByteArray bytes = toGbk(text);
    const qsizetype yearLength = leadingDigits(bytes, 0);
    const qsizetype monthStart = skipOneByte(bytes, yearLength);
    const qsizetype monthLength = leadingDigits(bytes, monthStart);
    const qsizetype dayStart = skipOneByte(bytes, monthStart + monthLength);
    // Skipping one byte after the month can cut a double-byte character in
    // two; the half left at the start of the day is no text and is dropped
    // rather than stored as an unreadable byte.
    QString day = fromGbk(between(bytes, dayStart, bytes.size()));
    if (day.startsWith(QChar::ReplacementCharacter))
        day.remove(0, 1);
    return {fromGbk(bytes.left(yearLength)), fromGbk(between(bytes, monthStart, monthStart + monthLength)), day};
}
