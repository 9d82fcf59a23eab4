#include "NumberText.h"

#include "Exception.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The "C" locale, so that strtold reads "." whatever the process locale says.
locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

QString notFinite(long double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// 10^0 .. 10^27, all exact in the 64-bit significand of long double.
constexpr std::array<long double, 28> powersOfTen = [] {
    std::array<long double, 28> powers{};
    long double p = 1;
    for (long double &power : powers) {
        power = p;
        p *= 10;
    }
    return powers;
}();

// x * 10^k in extended precision, one rounding where 10^|k| is exact.
long double scaleByPowerOfTen(long double x, int k)
{
    const long double power = std::abs(k) < int(powersOfTen.size())
        ? powersOfTen[std::abs(k)] : powl(10.0L, std::abs(k));
    return k >= 0 ? x * power : x / power;
}

// The first 18 significant digits of a positive finite magnitude:
// magnitude ~ digits * 10^(exponent - 17) with 10^17 <= digits < 10^18.
struct EighteenDigits {
    std::uint64_t digits;
    int exponent;  // decimal exponent of the first digit
};

EighteenDigits eighteenDigits(long double magnitude)
{
    // An estimate from the binary exponent (2^(b-1) <= magnitude < 2^b),
    // at most one too small; rounding may also carry into a nineteenth
    // digit. Either way one more step settles it.
    int binary = 0;
    frexpl(magnitude, &binary);
    int exponent = int(std::floor((binary - 1) * 0.30102999566398120));
    for (;;) {
        // rintl rounds half-even in the default rounding mode.
        const long double scaled = rintl(scaleByPowerOfTen(magnitude, 17 - exponent));
        if (scaled >= 1e18L)
            ++exponent;
        else if (scaled < 1e17L)
            --exponent;
        else
            return {std::uint64_t(scaled), exponent};
    }
}

}  // namespace

long double StrToFloat(const QString &text)
{
    const auto invalid = [&text] {
        return ConversionError(QLatin1Char('\'') + text
                               + QLatin1String("' is not a valid floating point value"));
    };

    qsizetype pos = 0;
    qsizetype end = text.size();
    while (pos < end && text[pos] == QLatin1Char(' '))
        ++pos;
    while (end > pos && text[end - 1] == QLatin1Char(' '))
        --end;

    // An ASCII copy that strtold reads without surprises: "." alone and
    // ".5" get a leading "0".
    std::string ascii;
    ascii.reserve(std::size_t(end - pos) + 2);
    if (pos < end && (text[pos] == QLatin1Char('+') || text[pos] == QLatin1Char('-'))) {
        if (text[pos] == QLatin1Char('-'))
            ascii += '-';
        ++pos;
    }
    bool mantissa = false;
    if (pos == end || !isAsciiDigit(text[pos]))
        ascii += '0';
    while (pos < end && isAsciiDigit(text[pos])) {
        ascii += char(text[pos++].unicode());
        mantissa = true;
    }
    if (pos < end && text[pos] == QLatin1Char('.')) {
        ascii += '.';
        ++pos;
        mantissa = true;
        while (pos < end && isAsciiDigit(text[pos]))
            ascii += char(text[pos++].unicode());
    }
    if (!mantissa)
        throw invalid();
    if (pos < end && (text[pos] == QLatin1Char('e') || text[pos] == QLatin1Char('E'))) {
        ascii += 'e';
        ++pos;
        if (pos < end && (text[pos] == QLatin1Char('+') || text[pos] == QLatin1Char('-')))
            ascii += char(text[pos++].unicode());
        if (pos == end || !isAsciiDigit(text[pos]))
            throw invalid();
        while (pos < end && isAsciiDigit(text[pos]))
            ascii += char(text[pos++].unicode());
    }
    if (pos != end)
        throw invalid();

    const long double value = strtold_l(ascii.c_str(), nullptr, cLocale());
    // Beyond the extended range strtold gives infinity: a plainly wrong
    // amount, so it counts as no number. Underflow gives the nearest
    // representable value (0 or a denormal), which is right.
    if (std::isinf(value))
        throw invalid();
    return value;
}

QString FloatToStr(long double value)
{
    const double number = static_cast<double>(value);
    if (!std::isfinite(number))
        return notFinite(number);
    if (number == 0)
        return QStringLiteral("0");

    // The exact decimal expansion of a double has at most 767 significant
    // digits, so this is exact: no rounding happens here.
    char exact[800];
    const auto written = std::to_chars(exact, exact + sizeof exact, std::fabs(number),
                                       std::chars_format::scientific, 770);
    // exact: "d.ddd...e+XX"
    int exponent = 0;
    const char *e = exact + 2 + 770;
    std::from_chars(e + 1 + (e[1] == '+'), written.ptr, exponent);

    // 15 digits; the 16th decides, 5 or more rounding away from zero.
    std::uint64_t digits = std::uint64_t(exact[0] - '0');
    for (int i = 2; i <= 15; ++i)
        digits = digits * 10 + std::uint64_t(exact[i] - '0');
    if (exact[16] >= '5' && ++digits == 1'000'000'000'000'000) {
        digits /= 10;
        ++exponent;
    }
    char significant[16];
    int count = int(std::to_chars(significant, significant + 16, digits).ptr - significant);
    while (count > 1 && significant[count - 1] == '0')
        --count;

    std::string out;
    if (number < 0)
        out += '-';
    if (exponent < -4 || exponent >= 15) {
        out += significant[0];
        if (count > 1) {
            out += '.';
            out.append(significant + 1, significant + count);
        }
        out += 'E';
        out += std::to_string(exponent);
    } else if (exponent >= 0) {
        const int integerDigits = exponent + 1;
        out.append(significant, significant + std::min(count, integerDigits));
        if (count < integerDigits)
            out.append(std::size_t(integerDigits - count), '0');
        if (count > integerDigits) {
            out += '.';
            out.append(significant + integerDigits, significant + count);
        }
    } else {
        out += "0.";
        out.append(std::size_t(-exponent - 1), '0');
        out.append(significant, significant + count);
    }
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}

QString FormatMoney(long double value)
{
    if (!std::isfinite(value))
        return notFinite(value);

    // The amount in fen as decimal digits in [begin, end), with room in
    // front for the leading zeros of "0.0d". The largest extended value
    // has 4933 integer digits.
    char buffer[5000];
    char *const digits = buffer + 3;
    char *end = digits;
    const long double magnitude = std::fabs(value);
    // Below 0.0001 the third decimal is 0 whatever the digits are.
    if (magnitude >= 0.0001L) {
        const EighteenDigits d = eighteenDigits(magnitude);
        const int kept = d.exponent + 3;  // digits down to the second decimal
        if (kept >= 18) {
            end = std::to_chars(digits, digits + 18, d.digits).ptr;
            end = std::fill_n(end, kept - 18, '0');
        } else if (kept >= 0) {
            // The digit after the second decimal is the lowest digit of
            // digits / 10^(17 - kept); 5 or more rounds the rest up.
            std::uint64_t divisor = 1;
            for (int i = kept; i < 17; ++i)
                divisor *= 10;
            const std::uint64_t withNext = d.digits / divisor;
            const std::uint64_t fen = withNext / 10 + (withNext % 10 >= 5 ? 1 : 0);
            end = std::to_chars(digits, digits + 20, fen).ptr;
        }
    }
    char *begin = digits;
    while (begin < end && *begin == '0')
        ++begin;
    const bool zero = begin == end;
    while (end - begin < 3)
        *--begin = '0';

    QString out;
    out.reserve(qsizetype(end - begin) + 2);
    if (value < 0 && !zero)
        out += QLatin1Char('-');
    out += QLatin1String(begin, end - 2);
    out += QLatin1Char('.');
    out += QLatin1String(end - 2, end);
    return out;
}

double RoundToDouble(long double value)
{
    const double number = static_cast<double>(value);
    if (std::isinf(number))
        throw Exception(QStringLiteral("Floating point overflow"));
    return number;
}
