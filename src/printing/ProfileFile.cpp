#include "ProfileFile.h"

#include <QByteArrayView>
#include <QFile>
#include <QSet>
#include <QStringDecoder>

#include <limits>
#include <optional>

namespace {

// Opening the converter is costly; one stateless decoder serves any number of
// independent texts.
QStringDecoder ansiDecoder()
{
    return QStringDecoder("GB18030", QStringConverter::Flag::Stateless);
}

// Names match regardless of letter case; only ASCII letters are folded, so
// Chinese names compare exactly. Folding decoded text rather than bytes keeps
// GBK trail bytes that happen to be ASCII letters intact.
QString foldName(QString name)
{
    for (QChar &c : name) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return name;
}

// Length in bytes of the GB18030 character that starts at `bytes[at]`:
// ASCII is one byte, a lead byte 81..FE starts a two-byte character, or a
// four-byte one when a digit follows it. Anything malformed counts as one
// byte, so the walk always advances.
qsizetype characterLength(QByteArrayView bytes, qsizetype at)
{
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x81 || lead > 0xFE || at + 1 >= bytes.size())
        return 1;
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    if (second >= 0x30 && second <= 0x39)
        return at + 3 < bytes.size() ? 4 : 1;
    return 2;
}

QByteArrayView withoutQuotes(QByteArrayView value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front())
        return value.sliced(1, value.size() - 2);
    return value;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<qint32> parseHexadecimal(QByteArrayView digits)
{
    if (digits.isEmpty() || digits.size() > 8)
        return std::nullopt;
    quint32 pattern = 0;
    for (char c : digits) {
        const int digit = hexDigit(c);
        if (digit < 0)
            return std::nullopt;
        pattern = pattern << 4 | quint32(digit);
    }
    return static_cast<qint32>(pattern);
}

std::optional<qint32> parseDecimal(QByteArrayView text)
{
    bool negative = false;
    if (!text.isEmpty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text = text.sliced(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    // Accumulate the magnitude; one past INT32_MAX is allowed for the
    // negative end of the range.
    const qint64 limit = qint64(std::numeric_limits<qint32>::max()) + (negative ? 1 : 0);
    qint64 magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<qint32>(negative ? -magnitude : magnitude);
}

std::optional<qint32> parseInteger(QByteArrayView text)
{
    if (text.startsWith("0x") || text.startsWith("0X"))
        return parseHexadecimal(text.sliced(2));
    if (text.startsWith("$"))
        return parseHexadecimal(text.sliced(1));
    return parseDecimal(text);
}

} // namespace

// Half a character at the end would otherwise be left to the decoder, which
// may drop it or show a replacement mark in the box and on paper.
QByteArrayView cutToWholeCharacters(QByteArrayView bytes, qsizetype limit)
{
    if (bytes.size() <= limit)
        return bytes;
    qsizetype end = 0;
    while (end < bytes.size()) {
        const qsizetype next = end + characterLength(bytes, end);
        if (next > limit)
            break;
        end = next;
    }
    return bytes.first(end);
}

ProfileFile ProfileFile::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parse(file.readAll());
}

ProfileFile ProfileFile::parse(const QByteArray &contents)
{
    ProfileFile profile;
    QStringDecoder decoder = ansiDecoder();
    QSet<QString> sectionsSeen;
    // The section that key lines currently go to; none before the first
    // section line and none in a repeated section, whose first occurrence
    // already holds the values that count.
    std::optional<QString> section;

    const QByteArrayView all(contents);
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = all.indexOf('\n', start);
        if (end < 0)
            end = all.size();
        const QByteArrayView line = all.sliced(start, end - start).trimmed();
        start = end + 1;

        if (line.isEmpty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            // The name runs to the last "]"; a line without one opens nothing.
            section.reset();
            const qsizetype close = line.lastIndexOf(']');
            if (close < 0)
                continue;
            QString name = foldName(decoder(line.sliced(1, close - 1).trimmed()));
            if (!sectionsSeen.contains(name)) {
                sectionsSeen.insert(name);
                section = std::move(name);
            }
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!section || equals < 0)
            continue;
        std::pair<QString, QString> name{*section, foldName(decoder(line.first(equals).trimmed()))};
        if (profile.m_values.contains(name))
            continue;
        const QByteArrayView value = withoutQuotes(line.sliced(equals + 1).trimmed());
        profile.m_values.insert(std::move(name), cutToWholeCharacters(value, MaxValueBytes).toByteArray());
    }
    return profile;
}

const QByteArray *ProfileFile::rawValue(const QString &section, const QString &key) const
{
    const auto found = m_values.constFind({foldName(section), foldName(key)});
    return found == m_values.cend() ? nullptr : &*found;
}

QString ProfileFile::readString(const QString &section, const QString &key,
                                const QString &defaultValue) const
{
    const QByteArray *value = rawValue(section, key);
    return value ? ansiDecoder().decode(*value) : defaultValue;
}

qint32 ProfileFile::readInteger(const QString &section, const QString &key,
                                qint32 defaultValue) const
{
    const QByteArray *value = rawValue(section, key);
    if (value == nullptr)
        return defaultValue;
    return parseInteger(*value).value_or(defaultValue);
}
