#include "SlipFonts.h"

#include <QStringList>

namespace {

QFont cjkFont(int pixelSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(pixelSize);
    return font;
}

}  // namespace

QFont windowFont()
{
    return cjkFont(11);
}

QFont boxFont(BoxFont kind)
{
    switch (kind) {
    case BoxFont::Song:
        return cjkFont(13);
    case BoxFont::Serif: {
        QFont font = cjkFont(11);
        font.setFamilies({QStringLiteral("DejaVu Serif"), QStringLiteral("WenQuanYi Micro Hei")});
        return font;
    }
    case BoxFont::Window:
        break;
    }
    return windowFont();
}
