#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QtGlobal>

#include <utility>

// A read-only initialisation file in the system's ANSI code page (GBK), read
// the way the Windows profile functions read one:
// - "[Section]" opens a section; "Key=Value" lines inside it give values;
//   lines before the first section, lines without "=" and lines starting
//   with ";" are ignored;
// - section and key names match regardless of ASCII letter case;
// - blanks around names and values are dropped, and so is one pair of
//   matching quotation marks around a value;
// - the first section of a name and the first key of a name in it win;
// - a string value is at most MaxValueBytes bytes of the file.
// Loading never fails: a file that cannot be read is an empty file.
class ProfileFile {
public:
    // The profile functions hand values over in a buffer of 2048 bytes,
    // one of which is the terminating zero.
    static constexpr qsizetype MaxValueBytes = 2047;

    static ProfileFile load(const QString &path);
    static ProfileFile parse(const QByteArray &contents);

    QString readString(const QString &section, const QString &key,
                       const QString &defaultValue) const;
    // The value read as an integer: an optional sign and decimal digits
    // within the 32-bit range, or "0x", "0X" or "$" followed by one to eight
    // hexadecimal digits taken as a 32-bit pattern. Anything else, an empty
    // value included, gives the default.
    qint32 readInteger(const QString &section, const QString &key,
                       qint32 defaultValue) const;

private:
    const QByteArray *rawValue(const QString &section, const QString &key) const;

    // (folded section name, folded key name) -> the value's bytes, trimmed
    // and cut to MaxValueBytes. One flat table keeps a file of many small
    // sections cheap.
    QHash<std::pair<QString, QString>, QByteArray> m_values;
};

// The longest prefix of `bytes` of at most `limit` bytes that does not split a
// GBK (GB18030) character: a double-byte character, or a four-byte one, is
// kept whole or left out.
QByteArrayView cutToWholeCharacters(QByteArrayView bytes, qsizetype limit);
