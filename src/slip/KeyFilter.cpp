#include "KeyFilter.h"

QChar NumericKeyFilter(QChar c)
{
    const char16_t code = c.unicode();
    if ((code >= u'0' && code <= u'9') || code == u'.' || code == 8)
        return c;
    return QChar(0);
}
