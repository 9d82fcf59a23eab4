#include "TMainForm.h"

#include "AutomaticFills.h"
#include "Clearing.h"
#include "CoordinateFile.h"
#include "ErrorDisplay.h"
#include "FieldCatalogue.h"
#include "PaymentRecorder.h"
#include "Settlement.h"
#include "SlipBox.h"
#include "SlipFonts.h"
#include "SlipPictureView.h"
#include "SlipPrinter.h"

#include <QDate>
#include <QDir>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int ToolBarHeight = 29;
constexpr int StatusBarHeight = 19;
constexpr QSize ButtonSize(75, 22);

// The smallest area that shows every box: beyond it the scroll box scrolls.
QSize boxesExtent()
{
    QSize extent;
    for (const FieldSpec &field : fieldCatalogue())
        extent = extent.expandedTo(QSize(field.left + field.width, field.top + field.height));
    return extent;
}

}  // namespace

TMainForm::TMainForm()
{
    buildWindow();
    wireEvents();
    readCoordinates();
    m_printer = SlipPrinter::setUpDefault(m_layout);
    // The office starts once the window is up: it takes seconds of processor
    // time that the first paint should not share.
    QTimer::singleShot(0, this, &TMainForm::startRecorder);
}

TMainForm::~TMainForm() = default;

void TMainForm::buildWindow()
{
    setWindowTitle(QStringLiteral("城镇居民医保结算单"));
    setWindowIcon(QIcon(QStringLiteral(":/icon.png")));
    setFont(windowFont());
    move(238, 229);
    resize(854, 467);

    ToolBar1 = new QWidget(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setFixedHeight(ToolBarHeight);
    const QString captions[] = {QStringLiteral("  打印"), QStringLiteral("保存"), QStringLiteral("清除")};
    QPushButton **buttons[] = {&Button1, &Button2, &Button3};
    for (int i = 0; i < 3; ++i) {
        *buttons[i] = new QPushButton(captions[i], ToolBar1);
        (*buttons[i])->setObjectName(QStringLiteral("Button%1").arg(i + 1));
        (*buttons[i])->setGeometry(QRect(QPoint(i * ButtonSize.width(), 2), ButtonSize));
    }

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(true);
    QPalette white = ScrollBox1->palette();
    white.setColor(QPalette::Window, Qt::white);
    ScrollBox1->setPalette(white);

    // The boxes take their lime background and black text from the picture
    // they lie on.
    Image1 = new SlipPictureView(ScrollBox1);
    Image1->setAutoFillBackground(true);
    QPalette picturePalette = white;
    picturePalette.setColor(QPalette::Base, QColor(0, 255, 0));
    picturePalette.setColor(QPalette::Text, Qt::black);
    Image1->setPalette(picturePalette);
    Image1->setMinimumSize(boxesExtent());
    for (const FieldSpec &field : fieldCatalogue())
        m_boxes[field.number - 1] = new SlipBox(field, Image1);
    ScrollBox1->setWidget(Image1);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(StatusBarHeight);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar1);
    layout->addWidget(ScrollBox1, 1);
    layout->addWidget(StatusBar1);
}

void TMainForm::wireEvents()
{
    const auto wire = [this](auto *sender, auto signal, void (TMainForm::*handler)()) {
        connect(sender, signal, this, [this, handler] { runHandler(this, [this, handler] { (this->*handler)(); }); });
    };
    wire(Button1, &QPushButton::clicked, &TMainForm::Button1Click);
    wire(Button2, &QPushButton::clicked, &TMainForm::Button2Click);
    wire(Button3, &QPushButton::clicked, &TMainForm::Button3Click);
    wire(m_boxes[4 - 1], &SlipBox::clicked, &TMainForm::Edit4Click);
    wire(m_boxes[6 - 1], &SlipBox::clicked, &TMainForm::Edit6Click);
    wire(m_boxes[28 - 1], &SlipBox::clicked, &TMainForm::Edit28Click);
    wire(m_boxes[34 - 1], &SlipBox::clicked, &TMainForm::Edit34Click);
}

void TMainForm::readCoordinates()
{
    const CoordinateFileContents contents = readCoordinateFile(QString::fromUtf8(CoordinateFileName));
    m_layout = contents.layout;
    setText(53, contents.reviewer);
    setText(54, contents.auditor);
    setText(55, contents.receiver);
}

void TMainForm::startRecorder()
{
    if (!m_recorder)
        m_recorder = std::make_unique<PaymentRecorder>(QDir::currentPath());
}

QString TMainForm::text(int box) const
{
    return m_boxes.at(box - 1)->text();
}

void TMainForm::setText(int box, const QString &text)
{
    m_boxes.at(box - 1)->setText(text);
}

void TMainForm::Button1Click()
{
    m_printer->print(*this);
}

void TMainForm::Button2Click()
{
    startRecorder();
    m_recorder->save(*this);
}

void TMainForm::Button3Click()
{
    clearSlip(*this);
}

void TMainForm::Edit4Click()
{
    fillDeclarationDate(*this, QDate::currentDate());
}

void TMainForm::Edit6Click()
{
    copyDeclarantToPatient(*this);
}

void TMainForm::Edit28Click()
{
    totalDeductions(*this);
}

void TMainForm::Edit34Click()
{
    settleLevel2(*this);
}
