#include "CoordinateFile.h"

#include "ProfileFile.h"

namespace {

constexpr qint32 DefaultPosition = 110;  // tenths of a millimetre
constexpr qint32 DefaultFontSize = 14;   // points
constexpr qint32 DefaultPageLength = 1200;
constexpr qint32 DefaultPageWidth = 2600;

// An absent name still gives the box a blank, not an empty text.
const QString DefaultName = QStringLiteral(" ");

} // namespace

CoordinateFileContents readCoordinateFile(const QString &path)
{
    const ProfileFile file = ProfileFile::load(path);
    CoordinateFileContents contents;
    PrintLayout &layout = contents.layout;

    // Section "Edit0" is the origin; "Edit1".."Edit55" are the printed boxes.
    // Edit56..Edit58 are never printed, so their sections are not read.
    for (int n = 0; n < PrintLayout::PairCount; ++n) {
        const QString section = QStringLiteral("Edit%1").arg(n);
        layout.left[n] = file.readInteger(section, QStringLiteral("Left"), DefaultPosition);
        layout.top[n] = file.readInteger(section, QStringLiteral("Top"), DefaultPosition);
    }
    layout.fontSize = file.readInteger(QStringLiteral("Font"), QStringLiteral("Size"), DefaultFontSize);
    layout.pageLength = file.readInteger(QStringLiteral("Page"), QStringLiteral("Pagelength"),
                                         DefaultPageLength);
    // "Pagewitch" is the key as the files in use spell it.
    layout.pageWidth = file.readInteger(QStringLiteral("Page"), QStringLiteral("Pagewitch"),
                                        DefaultPageWidth);

    const QString names = QStringLiteral("Name");
    contents.reviewer = file.readString(names, QStringLiteral("复核"), DefaultName);
    contents.auditor = file.readString(names, QStringLiteral("审核"), DefaultName);
    contents.receiver = file.readString(names, QStringLiteral("受理"), DefaultName);
    return contents;
}
