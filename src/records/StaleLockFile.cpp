#include "StaleLockFile.h"

#include "Office.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QThread>
#include <QUrl>
#include <algorithm>

namespace {

// More than an office takes to write its lock file after making it.
constexpr qint64 LockFileWriteTime = 1000;  // ms

// Whether a running process is an office whose profile is `folder`.
bool someOfficeUses(const QString &folder)
{
    const QByteArray option = "-env:UserInstallation=";
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isNumber = false;
        entry.toInt(&isNumber);
        if (!isNumber)
            continue;
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(entry));
        if (!cmdline.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &argument : cmdline.readAll().split('\0'))
            if (argument.startsWith(option)
                && QUrl(QString::fromUtf8(argument.mid(option.size()))).toLocalFile() == folder)
                return true;
    }
    return false;
}

// Whether the empty lock file is still empty once a second has passed since
// it was made (a time in the future, from another machine's clock, counts
// as now).
bool staysEmpty(const QString &lockFile)
{
    const qint64 age = QFileInfo(lockFile).lastModified().msecsTo(QDateTime::currentDateTime());
    QThread::msleep(std::clamp<qint64>(LockFileWriteTime - age, 0, LockFileWriteTime));
    const QFileInfo now(lockFile);
    return now.exists() && now.size() == 0;
}

} // namespace

bool isLeftByEndedOffice(const QString &lockFile)
{
    // One line: "name,system user,host,date,profile URL;"
    QFile file(lockFile);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (file.size() == 0)
        return staysEmpty(lockFile);
    const QStringList fields = QString::fromUtf8(file.readLine()).trimmed().split(QLatin1Char(','));
    if (fields.size() < 5 || fields[2] != QSysInfo::machineHostName())
        return false;
    QString profileUrl = fields[4];
    if (profileUrl.endsWith(QLatin1Char(';')))
        profileUrl.chop(1);
    const QUrl profile(profileUrl);
    if (!profile.isLocalFile() || !QFileInfo(profile.toLocalFile()).fileName().startsWith(Office::ProfileFolderPrefix))
        return false;
    return !someOfficeUses(profile.toLocalFile());
}
