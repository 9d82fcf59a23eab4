#include "GbkText.h"

#include <QStringDecoder>
#include <QStringEncoder>

QByteArray toGbk(const QString &text)
{
    QStringEncoder encoder("GB18030");
    return encoder.encode(text);
}

QString fromGbk(const QByteArray &bytes)
{
    QStringDecoder decoder("GB18030");
    return decoder.decode(bytes);
}
