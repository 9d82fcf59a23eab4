#include "OfficeProfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

QString officeVersionIn(const QByteArray &mainRegistry)
{
    // The value of the product's setting, not of its declaration in the
    // schema (which carries a type and an empty value).
    static const QRegularExpression setting(
        QStringLiteral(R"(<prop oor:name="ooSetupVersion">\s*<value>(\d+\.\d+)</value>)"));
    const QRegularExpressionMatch match = setting.match(QString::fromUtf8(mainRegistry));
    return match.hasMatch() ? match.captured(1) : QString();
}

void seedOfficeProfile(const QString &profileFolder, const QString &officeProgram)
{
    const QDir programFolder = QFileInfo(officeProgram).canonicalPath();
    QFile registry(programFolder.filePath(QStringLiteral("../share/registry/main.xcd")));
    if (!registry.open(QIODevice::ReadOnly))
        return;
    const QString version = officeVersionIn(registry.readAll());
    const QDir user(QDir(profileFolder).filePath(QStringLiteral("user")));
    if (version.isEmpty() || !QDir().mkpath(user.path()))
        return;
    // Whole or not at all: the office would stop at a broken settings file.
    QSaveFile settings(user.filePath(QStringLiteral("registrymodifications.xcu")));
    if (!settings.open(QIODevice::WriteOnly))
        return;
    settings.write(QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
        "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
        "<item oor:path=\"/org.openoffice.Setup/Product\"><prop oor:name=\"ooSetupLastVersion\" "
        "oor:op=\"fuse\"><value>%1</value></prop></item>\n"
        "</oor:items>\n").arg(version).toUtf8());
    settings.commit();
}
