// Any text in the date box: the split never fails, its year and month are
// ASCII digits, and for a text within GBK the three pieces together are
// never longer than the text they come from.
#include "DeclarationDate.h"
#include "FuzzCheck.h"
#include "GbkText.h"

#include <QString>

#include <cstdint>

namespace {

bool allDigits(const QString &text)
{
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// No four-byte GB18030 character: a lead byte 81..FE followed by a digit.
bool withinGbk(const QByteArray &bytes)
{
    for (qsizetype i = 0; i + 1 < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x81 || lead == 0xFF)
            continue;
        if (bytes[i + 1] >= '0' && bytes[i + 1] <= '9')
            return false;
        ++i;  // the trail byte of a double-byte character
    }
    return true;
}

// The bytes as UTF-8 for an odd first byte, as GB18030 for an even one (the
// box's text may come from either).
QString textOf(const uint8_t *data, size_t size)
{
    if (size == 0)
        return QString();
    const QByteArray rest(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    return data[0] & 1 ? QString::fromUtf8(rest) : fromGbk(rest);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = textOf(data, size);
    const DeclarationDate date = SplitDeclarationDate(text);
    FUZZ_CHECK(allDigits(date.year) && allDigits(date.month) && date.year.size() <= text.size(), "'%s' -> '%s' '%s'",
               qPrintable(text), qPrintable(date.year), qPrintable(date.month));
    FUZZ_CHECK(text.first(date.year.size()) == date.year, "year '%s' of '%s'", qPrintable(date.year),
               qPrintable(text));
    // The split skips single bytes. A character that GBK lacks takes four
    // bytes of GB18030 whose second and fourth are ASCII digits: skipping its
    // first byte turns the rest into digits of the month or the day, so such
    // texts can come out longer (reported, not asserted). Within GBK the
    // pieces are never longer than the text.
    if (withinGbk(toGbk(text))) {
        const qsizetype pieces = date.year.size() + date.month.size() + date.day.size();
        FUZZ_CHECK(pieces <= text.size(), "'%s' -> '%s' '%s' '%s'", qPrintable(text),
                   qPrintable(date.year), qPrintable(date.month), qPrintable(date.day));
    }
    return 0;
}
