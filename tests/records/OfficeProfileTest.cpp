// The profile our offices start from: the installed office's version is
// read from its registry, and a profile is seeded with it only when it can
// be read.

#include "OfficeProfile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(OfficeVersion, IsTheProductSettingNotItsSchemaDeclaration)
{
    const struct {
        const char *registry;
        const char *version;
    } cases[] = {
        // The schema declares the setting with an empty value first.
        {R"(<prop oor:name="ooSetupVersion" oor:type="xs:string" oor:nillable="false"><value/></prop>)", ""},
        {R"(<prop oor:name="ooSetupVersion" oor:type="xs:string"><value/></prop>
            <prop oor:name="ooSetupVersion">
              <value>7.4</value>
            </prop>)", "7.4"},
        {R"(<prop oor:name="ooSetupVersion"><value>24.8</value></prop>)", "24.8"},
        {R"(<prop oor:name="ooSetupVersionAboutBox"><value>7.4.7.2</value></prop>)", ""},
        {R"(<prop oor:name="ooSetupVersion"><value>seven</value></prop>)", ""},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(officeVersionIn(c.registry).toStdString(), c.version) << c.registry;
}

TEST(OfficeProfile, IsSeededWithTheInstalledVersionOnlyWhenItCanBeRead)
{
    QTemporaryDir installed, missing;
    ASSERT_TRUE(installed.isValid() && missing.isValid());

    seedOfficeProfile(installed.path(), QStringLiteral("/usr/lib/libreoffice/program/soffice"));
    QFile settings(installed.filePath(QStringLiteral("user/registrymodifications.xcu")));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QByteArray text = settings.readAll();
    EXPECT_TRUE(QRegularExpression(QStringLiteral(R"("ooSetupLastVersion" oor:op="fuse"><value>\d+\.\d+</value>)"))
                    .match(QString::fromUtf8(text))
                    .hasMatch())
        << text.toStdString();

    seedOfficeProfile(missing.path(), QStringLiteral("/nonexistent/program/soffice"));
    EXPECT_TRUE(QDir(missing.path()).isEmpty());
}

} // namespace
