#pragma once

#include "PrintLayout.h"
#include "SettlementSlip.h"

#include <QWidget>

#include <array>
#include <memory>

class QPushButton;
class QScrollArea;
class QStatusBar;
class SlipBox;
class SlipPictureView;
class SlipPrinter;
class PaymentRecorder;

// The program's one window: the picture of the blank slip with its 58 boxes,
// and the toolbar with Print, Save and Clear. The boxes hold the slip; the
// window's handlers read their texts, call the slip, printing and records
// code, and write results back.
class TMainForm : public QWidget, public SettlementSlip {
    Q_OBJECT

public:
    // Builds the window, reads the coordinate file from the working folder
    // and prepares the default printer (throws PrinterError when there is no
    // usable printer). The spreadsheet office starts in the background once
    // the window is up.
    TMainForm();
    ~TMainForm() override;

    QString text(int box) const override;
    void setText(int box, const QString &text) override;

    const PrintLayout &printLayout() const { return m_layout; }

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Edit4Click();
    void Edit6Click();
    void Edit28Click();
    void Edit34Click();

private:
    void buildWindow();
    void wireEvents();
    void readCoordinates();
    // Makes the recorder, which starts the spreadsheet office in the
    // background; once is enough.
    void startRecorder();

    QWidget *ToolBar1 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *Button3 = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QScrollArea *ScrollBox1 = nullptr;
    SlipPictureView *Image1 = nullptr;
    std::array<SlipBox *, FieldCount> m_boxes{};

    PrintLayout m_layout;
    std::unique_ptr<SlipPrinter> m_printer;
    std::unique_ptr<PaymentRecorder> m_recorder;
};
