// The coordinate file as the clerk's machine may hold it: any bytes at all.
// Parsed from memory, and read from a file through readCoordinateFile; both
// must give the same values, and no string value may exceed the profile
// buffer.
#include "CoordinateFile.h"
#include "FuzzCheck.h"
#include "ProfileFile.h"

#include <QByteArray>
#include <QDir>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

// One file per fuzzing process, rewritten for every input and removed at exit.
const QString &inputFile()
{
    static const QString path = [] {
        QByteArray name = QDir::tempPath().toLocal8Bit() + "/fuzz-coordinates-XXXXXX";
        const int fd = mkstemp(name.data());
        FUZZ_CHECK(fd >= 0, "cannot make a temporary file");
        close(fd);
        static QByteArray removeAtExit;
        removeAtExit = name;
        std::atexit([] { std::remove(removeAtExit.constData()); });
        return QString::fromLocal8Bit(name);
    }();
    return path;
}

void writeFile(const QString &path, const uint8_t *data, size_t size)
{
    std::FILE *file = std::fopen(path.toLocal8Bit().constData(), "wb");
    FUZZ_CHECK(file != nullptr, "cannot write the temporary file");
    FUZZ_CHECK(std::fwrite(data, 1, size, file) == size, "short write");
    std::fclose(file);
}

void checkName(const QString &name)
{
    // Each byte decodes to at most one UTF-16 unit (a four-byte character to
    // two), so the value's text is never longer than the buffer's bytes.
    FUZZ_CHECK(name.size() <= ProfileFile::MaxValueBytes, "name of %lld units",
               static_cast<long long>(name.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const ProfileFile profile = ProfileFile::parse(bytes);

    writeFile(inputFile(), data, size);
    const CoordinateFileContents contents = readCoordinateFile(inputFile());

    for (int n = 0; n < PrintLayout::PairCount; ++n) {
        const QString section = QStringLiteral("Edit%1").arg(n);
        FUZZ_CHECK(contents.layout.left[n] == profile.readInteger(section, "Left", 110),
                   "Edit%d/Left differs between file and memory", n);
        FUZZ_CHECK(contents.layout.top[n] == profile.readInteger(section, "Top", 110),
                   "Edit%d/Top differs between file and memory", n);
    }
    FUZZ_CHECK(contents.layout.fontSize == profile.readInteger("Font", "Size", 14), "Font/Size");
    const QString blank = QStringLiteral(" ");
    FUZZ_CHECK(contents.reviewer == profile.readString("Name", QStringLiteral("复核"), blank), "复核");
    FUZZ_CHECK(contents.auditor == profile.readString("Name", QStringLiteral("审核"), blank), "审核");
    FUZZ_CHECK(contents.receiver == profile.readString("Name", QStringLiteral("受理"), blank), "受理");
    for (const QString &name : {contents.reviewer, contents.auditor, contents.receiver})
        checkName(name);

    // The cut keeps whole characters only and never grows the bytes.
    const qsizetype limit = size == 0 ? 0 : data[0] % 16;
    const QByteArrayView cut = cutToWholeCharacters(bytes, limit);
    FUZZ_CHECK(cut.size() <= limit, "cut to %lld of limit %lld",
               static_cast<long long>(cut.size()), static_cast<long long>(limit));
    FUZZ_CHECK(cut.data() == bytes.constData() || size == 0, "cut is not a prefix");
    return 0;
}
