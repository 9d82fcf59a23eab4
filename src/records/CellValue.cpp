#include "CellValue.h"

#include <QRegularExpression>

namespace {

constexpr qsizetype maxSignificantDigits = 15;

bool isPlainDecimal(const QString &text)
{
    static const QRegularExpression plain(QStringLiteral("^(0|[1-9][0-9]*)(\\.[0-9]+)?$"));
    if (!plain.match(text).hasMatch())
        return false;
    QString digits = text;
    digits.remove(QLatin1Char('.'));
    qsizetype firstSignificant = 0;
    while (firstSignificant < digits.size() - 1 && digits[firstSignificant] == QLatin1Char('0'))
        ++firstSignificant;
    return digits.size() - firstSignificant <= maxSignificantDigits;
}

} // namespace

CellValue cellValueOf(const QString &text)
{
    if (isPlainDecimal(text))
        return text.toDouble();
    return text;
}
