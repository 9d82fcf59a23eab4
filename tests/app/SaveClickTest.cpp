// Save from the window: its errors reach the clerk and the window goes on.
#include "MainFormFixture.h"
#include "ModalMessage.h"

#include <QFile>
#include <QPushButton>
#include <QTest>

namespace {

using SaveClick = MainFormFixture;

TEST_F(SaveClick, AMissingLedgerIsReportedByNameAndTheWindowGoesOn)
{
    startWindow(nullptr);
    m_form->setText(6, QStringLiteral("张三"));
    auto *save = m_form->findChild<QPushButton *>(QStringLiteral("Button2"));
    const auto shown = messageShownBy([&] { QTest::mouseClick(save, Qt::LeftButton); });
    ASSERT_TRUE(shown.has_value());
    EXPECT_TRUE(shown->contains(QStringLiteral("居民支付表.TXT"))) << shown->toStdString();
    EXPECT_TRUE(shown->endsWith(QLatin1Char('.')));
    EXPECT_FALSE(QFile::exists(QStringLiteral("居民支付表.TXT")));
    EXPECT_EQ(m_form->text(6), QStringLiteral("张三"));
    QTest::mouseClick(m_form->findChild<QPushButton *>(QStringLiteral("Button3")), Qt::LeftButton);
    EXPECT_TRUE(m_form->text(6).isEmpty());
}

}  // namespace
