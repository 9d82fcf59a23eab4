#pragma once

#include <QLineEdit>

struct FieldSpec;

// One edit box of the slip, placed over its cell of the picture. It reports
// clicks (several boxes compute or fill themselves when clicked) and, for the
// numeric boxes, lets only the characters of the numeric key filter in by
// typing. Pasting through the context menu stays unfiltered.
class SlipBox : public QLineEdit {
    Q_OBJECT

public:
    SlipBox(const FieldSpec &field, QWidget *parent);

    bool hasNumericFilter() const { return m_numericFilter; }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    bool m_numericFilter;
};
