// The money text and the plain text of any extended value: every 80-bit
// pattern (NaNs, infinities, denormals and the encodings no arithmetic
// makes), and of any double. Each text has its form and reads back close to
// the value it stands for.
#include "Exception.h"
#include "FuzzCheck.h"
#include "NumberText.h"

#include <QString>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

bool isDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

bool isNotFiniteText(const QString &text)
{
    return text == "NAN" || text == "INF" || text == "-INF";
}

// "-"? digits "." two digits, and never "-0.00".
bool isMoneyText(const QString &text)
{
    QStringView rest(text);
    if (rest.startsWith(u'-')) {
        if (text == "-0.00")
            return false;
        rest = rest.sliced(1);
    }
    return rest.size() >= 4 && rest[rest.size() - 3] == u'.' && isDigits(rest.first(rest.size() - 3))
        && isDigits(rest.last(2));
}

long double readBack(const QString &text)
{
    try {
        return StrToFloat(text);
    } catch (const ConversionError &) {
        FUZZ_CHECK(false, "'%s' does not read back", qPrintable(text));
    }
    return 0;
}

// Within the last rounding step below the largest extended value, whose 18
// digits round up to a number beyond the range.
bool atTheTopOfTheRange(long double value)
{
    return std::fabs(value) > std::numeric_limits<long double>::max() * (1 - 1e-17L);
}

void checkMoney(long double value)
{
    const QString money = FormatMoney(value);
    if (!std::isfinite(value)) {
        FUZZ_CHECK(isNotFiniteText(money), "not finite as '%s'", qPrintable(money));
        return;
    }
    FUZZ_CHECK(isMoneyText(money), "%La as '%s'", value, qPrintable(money));
    if (atTheTopOfTheRange(value))
        return;
    // Two decimals (half a fen) on top of 18 significant digits.
    const long double error = std::fabs(readBack(money) - value);
    FUZZ_CHECK(error <= 0.005L + std::fabs(value) * 1e-17L + 1e-18L, "%La as '%s'", value,
               qPrintable(money));
}

void checkPlain(long double value)
{
    const QString plain = FloatToStr(value);
    const double number = static_cast<double>(value);
    if (!std::isfinite(number)) {
        FUZZ_CHECK(isNotFiniteText(plain), "not finite as '%s'", qPrintable(plain));
        return;
    }
    // Digits, "-", ".", "E" only: no blanks, no "+", no lower case.
    for (QChar c : plain)
        FUZZ_CHECK(c.isDigit() || c == u'-' || c == u'.' || c == u'E', "%a as '%s'", number,
                   qPrintable(plain));
    const QStringView mantissa = QStringView(plain).first(plain.contains(u'E') ? plain.indexOf(u'E') : plain.size());
    FUZZ_CHECK(!mantissa.contains(u'.') || !mantissa.endsWith(u'0'), "trailing zero in '%s'",
               qPrintable(plain));
    // 15 significant digits: half a unit of the 15th digit.
    const long double error = std::fabs(readBack(plain) - number);
    FUZZ_CHECK(error <= std::fabs(number) * 5.0001e-15L, "%a as '%s'", number,
               qPrintable(plain));
}

void checkRounding(long double value)
{
    try {
        const double number = RoundToDouble(value);
        FUZZ_CHECK(!std::isinf(number), "%La rounded to an infinity", value);
    } catch (const ConversionError &) {
        FUZZ_CHECK(false, "%La: a ConversionError where overflow is meant", value);
    } catch (const Exception &) {
        FUZZ_CHECK(std::isinf(static_cast<double>(value)), "%La: overflow reported", value);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first ten bytes are an 80-bit pattern; eight bytes from then on a
    // double.
    unsigned char pattern[sizeof(long double)] = {};
    std::memcpy(pattern, data, size < 10 ? size : 10);
    long double extended;
    std::memcpy(&extended, pattern, sizeof extended);
    checkMoney(extended);
    checkPlain(extended);
    checkRounding(extended);

    if (size >= 18) {
        double number;
        std::memcpy(&number, data + 10, sizeof number);
        checkMoney(number);
        checkPlain(number);
    }
    return 0;
}
