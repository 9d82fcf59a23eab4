#include "MainFormFixture.h"

#include "CoordinateFile.h"

#include <QFile>
#include <QStringEncoder>
#include <QTest>

void MainFormFixture::startWindow(const char *coordinateFileUtf8)
{
    ASSERT_TRUE(m_workdir.isValid());
    QDir::setCurrent(m_workdir.path());
    if (coordinateFileUtf8) {
        QFile file(QString::fromUtf8(CoordinateFileName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        QStringEncoder gbk("GB18030");
        file.write(gbk.encode(QString::fromUtf8(coordinateFileUtf8)));
    }
    m_form = std::make_unique<TMainForm>();
    m_form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
}

void MainFormFixture::TearDown()
{
    m_form.reset();
    QDir::setCurrent(m_previousDir);
}

SlipBox *MainFormFixture::box(int number) const
{
    return m_form->findChild<SlipBox *>(QStringLiteral("Edit%1").arg(number));
}
