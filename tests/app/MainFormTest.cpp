#include "FieldCatalogue.h"
#include "MainFormFixture.h"
#include "SlipPictureView.h"
#include "TestText.h"

#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTest>

namespace {

constexpr const char *Signatories = "[Name]\n复核=甲\n审核=乙\n受理=丙\n";

using MainForm = MainFormFixture;

TEST_F(MainForm, CompositionAsDesigned)
{
    startWindow(Signatories);
    EXPECT_EQ(m_form->windowTitle(), u("城镇居民医保结算单"));
    EXPECT_EQ(m_form->size(), QSize(854, 467));
    EXPECT_FALSE(m_form->windowIcon().isNull());

    struct ButtonCase { const char *name, *caption; QRect geometry; };
    const ButtonCase buttons[] = {
        {"Button1", "  打印", QRect(0, 2, 75, 22)},
        {"Button2", "保存", QRect(75, 2, 75, 22)},
        {"Button3", "清除", QRect(150, 2, 75, 22)},
    };
    for (const ButtonCase &b : buttons) {
        auto *button = m_form->findChild<QPushButton *>(u(b.name));
        ASSERT_NE(button, nullptr) << b.name;
        EXPECT_EQ(button->text(), u(b.caption));
        EXPECT_EQ(button->geometry(), b.geometry) << b.name;
        EXPECT_TRUE(button->isEnabled());
    }
    auto *toolBar = m_form->findChild<QWidget *>(u("ToolBar1"));
    auto *statusBar = m_form->findChild<QStatusBar *>(u("StatusBar1"));
    auto *scrollBox = m_form->findChild<QScrollArea *>(u("ScrollBox1"));
    ASSERT_TRUE(toolBar && statusBar && scrollBox);
    EXPECT_EQ(toolBar->geometry(), QRect(0, 0, 854, 29));
    EXPECT_EQ(scrollBox->geometry(), QRect(0, 29, 854, 419));
    EXPECT_EQ(statusBar->geometry(), QRect(0, 448, 854, 19));
    EXPECT_TRUE(statusBar->currentMessage().isEmpty());
}

TEST_F(MainForm, PictureOfTheBlankSlipIsCarriedAtNaturalSize)
{
    startWindow(nullptr);
    auto *picture = m_form->findChild<SlipPictureView *>(u("Image1"));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->picture().size(), QSize(861, 417));
    // The picture starts at the scroll box's top-left corner.
    auto *scrollBox = m_form->findChild<QScrollArea *>(u("ScrollBox1"));
    EXPECT_EQ(picture->mapTo(scrollBox->viewport(), QPoint(0, 0)), QPoint(0, 0));
}

TEST_F(MainForm, EveryBoxHasItsPlaceDefaultAndReadOnlyFlag)
{
    startWindow(Signatories);
    const char *names[] = {"甲", "乙", "丙"};
    for (const FieldSpec &field : fieldCatalogue()) {
        SlipBox *b = box(field.number);
        ASSERT_NE(b, nullptr) << field.number;
        EXPECT_EQ(b->geometry(), QRect(field.left, field.top, field.width, field.height)) << field.number;
        EXPECT_EQ(b->isReadOnly(), field.readOnly) << field.number;
        const QString expected = field.number >= 53 && field.number <= 55
                                     ? u(names[field.number - 53])
                                     : u(field.defaultText);
        EXPECT_EQ(b->text(), expected) << field.number;
        EXPECT_EQ(m_form->text(field.number), expected);
    }
}

TEST_F(MainForm, WithoutCoordinateFileTheSignatoriesHoldOneBlank)
{
    startWindow(nullptr);
    for (int n = 53; n <= 55; ++n)
        EXPECT_EQ(box(n)->text(), u(" ")) << n;
}

TEST_F(MainForm, TypedCharactersReachOnlyTheBoxesThatTakeThem)
{
    startWindow(nullptr);
    for (const FieldSpec &field : fieldCatalogue()) {
        SlipBox *b = box(field.number);
        b->setText(QString());
        QTest::keyClicks(b, u("7x"));
        const QString expected = field.readOnly ? QString() : field.numericFilter ? u("7") : u("7x");
        EXPECT_EQ(b->text(), expected) << "Edit" << field.number;
    }
}

TEST_F(MainForm, NumericFilterKeepsDigitsPointsAndEditingKeys)
{
    startWindow(nullptr);
    SlipBox *expenses = box(20);
    expenses->clear();
    QTest::keyClicks(expenses, u("1a2.5-"));
    EXPECT_EQ(expenses->text(), u("12.5"));

    QTest::keyClick(expenses, Qt::Key_Backspace);
    QTest::keyClick(expenses, Qt::Key_Home);
    QTest::keyClick(expenses, Qt::Key_Delete);
    QTest::keyClick(expenses, Qt::Key_Return);
    QTest::keyClick(expenses, Qt::Key_Escape);
    QTest::keyClick(expenses, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(expenses->text(), u("2."));

    box(23)->clear();
    QTest::keyClicks(box(23), u("1.2.3"));
    EXPECT_EQ(box(23)->text(), u("1.2.3"));

    // An input method commits whole strings: only the filter's characters
    // of them get in, never a Chinese or full-width character.
    SlipBox *age = box(9);
    age->setFocus();
    QInputMethodEvent commit;
    commit.setCommitString(u("４2岁.5"));
    QApplication::sendEvent(age, &commit);
    EXPECT_EQ(age->text(), u("2.5"));

    SlipBox *admissions = box(21);
    QInputMethodEvent anyText;
    anyText.setCommitString(u("第二次"));
    QApplication::sendEvent(admissions, &anyText);
    EXPECT_EQ(admissions->text(), u("1第二次"));
}

TEST_F(MainForm, ClickFillsTheDateAndThePatientName)
{
    startWindow(nullptr);
    box(4)->setText(u("1999-1-1"));
    QTest::mouseClick(box(4), Qt::LeftButton);
    const QDate today = QDate::currentDate();
    EXPECT_EQ(box(4)->text(), QStringLiteral("%1-%2-%3").arg(today.year()).arg(today.month()).arg(today.day()));

    box(2)->setText(u("张三"));
    QTest::mouseClick(box(6), Qt::LeftButton);
    EXPECT_EQ(box(6)->text(), u("张三"));
    box(2)->clear();
    QTest::mouseClick(box(6), Qt::LeftButton);
    EXPECT_TRUE(box(6)->text().isEmpty());
}

}  // namespace
