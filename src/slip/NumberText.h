#pragma once

#include <QString>

// The three conversions between box texts and amounts. The decimal separator
// is always "."; nothing here depends on the process locale.

// Reads a number text: blanks (U+0020) before and after, an optional sign,
// digits with at most one ".", an optional exponent ("E" or "e", optional
// sign, digits). A lone "." (or "+." / "-.") reads as 0; ".5" and "5." are
// numbers. The result is the extended-precision value nearest to the
// decimal number. Throws ConversionError "'<text>' is not a valid floating
// point value" for anything else, including an empty or blank text and a
// number beyond the extended range (which would otherwise read as infinity).
long double StrToFloat(const QString &text);

// Takes the value to double (nearest) and writes it with at most 15
// significant digits, a half at the 16th digit of the double's exact decimal
// expansion rounding away from zero; no trailing zeros, no "." for whole
// numbers, "-" when negative, zero (also -0) as "0". Scientific form
// ("1E15", "1.5E-5", "-1.2E20") only below 0.0001 or beyond 15 integer
// digits. Infinities and NaN give "INF", "-INF" and "NAN".
QString FloatToStr(long double value);

// Money text with "0.00": the magnitude's first 18 significant digits
// (scaled by a power of ten in extended precision, rounded half-even), then
// rounded to two decimals with a half going away from zero. At least one
// integer digit, no thousands separators, "-" when negative; a value that
// rounds to zero is "0.00", never "-0.00". Infinities and NaN give "INF",
// "-INF" and "NAN".
QString FormatMoney(long double value);

// The value taken to double precision (nearest). Throws Exception
// "Floating point overflow" when it does not fit a double, so that no
// infinite amount ever reaches a box.
double RoundToDouble(long double value);
