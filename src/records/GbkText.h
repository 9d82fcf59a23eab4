#pragma once

#include <QByteArray>
#include <QString>

// The records' files hold their texts in GB18030, which has the same bytes
// as GBK for every GBK character and still encodes the rare characters of
// names that GBK lacks.
QByteArray toGbk(const QString &text);
QString fromGbk(const QByteArray &bytes);
