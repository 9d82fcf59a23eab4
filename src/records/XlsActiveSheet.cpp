#include "XlsActiveSheet.h"

#include <QtEndian>
#include <vector>

namespace {

constexpr quint32 EndOfChain = 0xFFFFFFFE;
constexpr quint32 FreeSector = 0xFFFFFFFF;
constexpr int DirectoryEntrySize = 128;

// A compound file (the container of .xls files): sectors chained through a
// table, a directory of named streams, small streams kept in a mini stream
// of 64-byte sectors.
class CompoundFile {
public:
    explicit CompoundFile(const QByteArray &bytes) : m_bytes(bytes) {}

    std::optional<QByteArray> stream(const QString &name)
    {
        static const QByteArray magic("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
        if (m_bytes.size() < 512 || !m_bytes.startsWith(magic))
            return std::nullopt;
        m_sectorShift = u16(0x1E);
        m_miniSectorShift = u16(0x20);
        if (m_sectorShift < 7 || m_sectorShift > 16 || m_miniSectorShift > m_sectorShift)
            return std::nullopt;
        readSectorTable();
        const QByteArray directory = chain(u32(0x30), m_sectorShift, m_fat, m_bytes, true);
        QByteArray miniStream;
        for (qsizetype entry = 0; entry + DirectoryEntrySize <= directory.size(); entry += DirectoryEntrySize) {
            const uchar *e = reinterpret_cast<const uchar *>(directory.constData() + entry);
            const int type = e[66];
            const quint32 start = qFromLittleEndian<quint32>(e + 116);
            const quint32 size = qFromLittleEndian<quint32>(e + 120);
            if (type == 5) {  // the root holds the mini stream
                miniStream = chain(start, m_sectorShift, m_fat, m_bytes, true).left(size);
                continue;
            }
            const int nameBytes = qMin<int>(qFromLittleEndian<quint16>(e + 64), 64);
            const QString entryName = QString::fromUtf16(reinterpret_cast<const char16_t *>(e), qMax(0, nameBytes / 2 - 1));
            if (type != 2 || entryName.compare(name, Qt::CaseInsensitive) != 0)
                continue;
            if (size >= u32(0x38))
                return chain(start, m_sectorShift, m_fat, m_bytes, true).left(size);
            const std::vector<quint32> miniFat = table(chain(u32(0x3C), m_sectorShift, m_fat, m_bytes, true));
            return chain(start, m_miniSectorShift, miniFat, miniStream, false).left(size);
        }
        return std::nullopt;
    }

private:
    quint16 u16(qsizetype at) const { return qFromLittleEndian<quint16>(m_bytes.constData() + at); }
    quint32 u32(qsizetype at) const
    {
        return at + 4 <= m_bytes.size() ? qFromLittleEndian<quint32>(m_bytes.constData() + at) : FreeSector;
    }

    static std::vector<quint32> table(const QByteArray &bytes)
    {
        std::vector<quint32> entries(bytes.size() / 4);
        for (size_t i = 0; i < entries.size(); ++i)
            entries[i] = qFromLittleEndian<quint32>(bytes.constData() + 4 * i);
        return entries;
    }

    // The sectors of the table come from the 109 places in the header and
    // then from the chain of extension sectors.
    void readSectorTable()
    {
        const qsizetype sectorSize = qsizetype(1) << m_sectorShift;
        std::vector<quint32> tableSectors;
        for (int i = 0; i < 109; ++i)
            tableSectors.push_back(u32(0x4C + 4 * i));
        quint32 extension = u32(0x44);
        for (int guard = 0; extension < EndOfChain && guard < 10000; ++guard) {
            const qsizetype at = (qsizetype(extension) + 1) << m_sectorShift;
            for (qsizetype i = 0; i < sectorSize / 4 - 1; ++i)
                tableSectors.push_back(u32(at + 4 * i));
            extension = u32(at + sectorSize - 4);
        }
        QByteArray bytes;
        for (quint32 sector : tableSectors)
            if (sector < EndOfChain)
                bytes += m_bytes.mid((qsizetype(sector) + 1) << m_sectorShift, sectorSize);
        m_fat = table(bytes);
    }

    // The bytes of a chain of sectors; a regular sector n starts after the
    // 512-byte header, a mini sector n at n * 64 in the mini stream.
    static QByteArray chain(quint32 start, int shift, const std::vector<quint32> &next, const QByteArray &data,
                            bool afterHeader)
    {
        const qsizetype sectorSize = qsizetype(1) << shift;
        QByteArray result;
        for (quint32 sector = start; sector < next.size() && result.size() <= data.size(); sector = next[sector]) {
            const qsizetype at = (qsizetype(sector) + (afterHeader ? 1 : 0)) << shift;
            if (at + sectorSize > data.size() + sectorSize)
                break;
            result += data.mid(at, sectorSize);
        }
        return result;
    }

    const QByteArray &m_bytes;
    int m_sectorShift = 9;
    int m_miniSectorShift = 6;
    std::vector<quint32> m_fat;
};

} // namespace

std::optional<int> xlsActiveSheet(const QByteArray &file)
{
    constexpr quint16 Window1 = 0x003D, EndOfGlobals = 0x000A;
    CompoundFile compound(file);
    const std::optional<QByteArray> workbook = compound.stream(QStringLiteral("Workbook"));
    if (!workbook)
        return std::nullopt;
    const uchar *data = reinterpret_cast<const uchar *>(workbook->constData());
    for (qsizetype at = 0; at + 4 <= workbook->size();) {
        const quint16 type = qFromLittleEndian<quint16>(data + at);
        const quint16 length = qFromLittleEndian<quint16>(data + at + 2);
        if (type == EndOfGlobals)
            break;
        if (type == Window1 && length >= 12 && at + 4 + 12 <= workbook->size())
            return qFromLittleEndian<quint16>(data + at + 4 + 10);
        at += 4 + length;
    }
    return std::nullopt;
}
