#include "SlipBox.h"

#include "FieldCatalogue.h"
#include "KeyFilter.h"
#include "SlipFonts.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

// A typed text passes only if the filter keeps every one of its characters.
bool passesFilter(const QString &typed)
{
    for (QChar c : typed) {
        if (NumericKeyFilter(c).isNull())
            return false;
    }
    return true;
}

QString filtered(const QString &typed)
{
    QString kept;
    for (QChar c : typed) {
        if (!NumericKeyFilter(c).isNull())
            kept.append(c);
    }
    return kept;
}

}  // namespace

SlipBox::SlipBox(const FieldSpec &field, QWidget *parent)
    : QLineEdit(QString::fromUtf8(field.defaultText), parent),
      m_numericFilter(field.numericFilter)
{
    setObjectName(QStringLiteral("Edit%1").arg(field.number));
    setGeometry(field.left, field.top, field.width, field.height);
    setReadOnly(field.readOnly);
    if (field.font != BoxFont::Window)
        setFont(boxFont(field.font));
}

void SlipBox::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void SlipBox::keyPressEvent(QKeyEvent *event)
{
    // Keys that produce no character (Delete, arrows, Home, End, Shift+Insert)
    // edit the box as usual; every character typed must pass the filter.
    // Delete is named explicitly because some platforms give it the text DEL.
    const bool typesCharacters = !event->text().isEmpty() && event->key() != Qt::Key_Delete;
    if (m_numericFilter && typesCharacters && !passesFilter(event->text())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void SlipBox::inputMethodEvent(QInputMethodEvent *event)
{
    if (!m_numericFilter || event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // An input method commits whole strings; each character counts as typed.
    QInputMethodEvent kept(event->preeditString(), event->attributes());
    kept.setCommitString(filtered(event->commitString()), event->replacementStart(),
                         event->replacementLength());
    QLineEdit::inputMethodEvent(&kept);
    event->accept();
}
