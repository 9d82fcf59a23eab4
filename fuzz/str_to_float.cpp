// Any text typed into an amount box: StrToFloat either reads a finite number
// or throws ConversionError. A number read prints in both forms, and its
// plain text reads back to a number that prints the same text. (Not to the
// same double: 15 digits do not tell every double apart, 0.1 + 0.2 prints
// as "0.3". The double read from those 15 digits does come back exactly.)
#include "Exception.h"
#include "FuzzCheck.h"
#include "NumberText.h"

#include <QString>

#include <cmath>
#include <cstdint>

namespace {

// The bytes as UTF-8 for an odd first byte, otherwise as UTF-16 units, so
// that lone surrogates and characters beyond Latin-1 reach the reader too.
QString textOf(const uint8_t *data, size_t size)
{
    if (size == 0)
        return QString();
    const char *rest = reinterpret_cast<const char *>(data + 1);
    if (data[0] & 1)
        return QString::fromUtf8(rest, qsizetype(size - 1));
    QString text(qsizetype((size - 1) / 2), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(char16_t(uint8_t(rest[2 * i]) | uint8_t(rest[2 * i + 1]) << 8));
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = textOf(data, size);
    long double value;
    try {
        value = StrToFloat(text);
    } catch (const ConversionError &) {
        return 0;
    }
    FUZZ_CHECK(std::isfinite(value), "'%s' read as a value that is not finite",
               qPrintable(text));

    const QString money = FormatMoney(value);
    FUZZ_CHECK(!money.isEmpty(), "no money text");
    const QString plain = FloatToStr(value);

    // Beyond the double range the plain text is "INF" or "-INF".
    if (!std::isfinite(static_cast<double>(value))) {
        FUZZ_CHECK(plain == "INF" || plain == "-INF", "'%s' beyond double printed as '%s'",
                   qPrintable(text), qPrintable(plain));
        return 0;
    }
    long double again = 0;
    try {
        again = StrToFloat(plain);
    } catch (const ConversionError &) {
        FUZZ_CHECK(false, "'%s' printed as '%s', which does not read back", qPrintable(text),
                   qPrintable(plain));
    }
    const double readBack = static_cast<double>(again);
    // The 15 digits of the largest doubles round up past the largest double
    // ("1.79769313486232E308"): that text reads back, but beyond the double
    // range, and prints as "INF".
    if (std::isinf(readBack))
        return 0;
    FUZZ_CHECK(FloatToStr(again) == plain, "'%s' -> '%s' -> '%s'", qPrintable(text),
               qPrintable(plain), qPrintable(FloatToStr(again)));
    // The double read from a text of 15 digits survives its own text exactly.
    FUZZ_CHECK(static_cast<double>(StrToFloat(FloatToStr(readBack))) == readBack,
               "'%s' does not round-trip", qPrintable(plain));
    return 0;
}
