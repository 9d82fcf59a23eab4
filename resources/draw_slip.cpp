// Draws the picture of the blank slip and the program's icon into the
// folder given on the command line, as slip.jpg and icon.png. Run by hand
// when the artwork changes; the results are kept in the source tree and
// compiled into the program as resources.

#include "SlipIcon.h"
#include "SlipPicture.h"

#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>

#include <cstdio>
#include <exception>

namespace {

// A face with the Chinese characters of the slip, from Debian's
// fonts-wqy-microhei.
const QString ChineseFamily = QStringLiteral("WenQuanYi Micro Hei");

constexpr int JpegQuality = 92;

bool save(const QImage &image, const QString &path, const char *format, int quality = -1)
{
    if (image.save(path, format, quality))
        return true;
    std::fprintf(stderr, "draw_slip: cannot write %s\n", qPrintable(QDir::toNativeSeparators(path)));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    // Nothing is shown; draw without a display unless told otherwise.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_slip <output folder>\n");
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));

    // Without the face the characters would come out as empty boxes; refuse
    // rather than write such a picture.
    if (!QFontDatabase::families().contains(ChineseFamily)) {
        std::fprintf(stderr, "draw_slip: the font \"%s\" is not installed (Debian package fonts-wqy-microhei)\n",
                     qPrintable(ChineseFamily));
        return 1;
    }

    try {
        if (!save(drawSlipPicture(ChineseFamily), output.filePath("slip.jpg"), "JPEG", JpegQuality))
            return 1;
        if (!save(drawSlipIcon(), output.filePath("icon.png"), "PNG"))
            return 1;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "draw_slip: %s\n", error.what());
        return 1;
    }
    return 0;
}
