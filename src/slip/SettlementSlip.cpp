#include "SettlementSlip.h"

#include "FieldCatalogue.h"

MemorySlip::MemorySlip()
{
    for (const FieldSpec &field : fieldCatalogue())
        m_texts[field.number - 1] = QString::fromUtf8(field.defaultText);
}

QString MemorySlip::text(int box) const
{
    return m_texts.at(box - 1);
}

void MemorySlip::setText(int box, const QString &text)
{
    m_texts.at(box - 1) = text;
}
