#include "CapturedJobs.h"

#include "Until.h"

#include <QFileInfo>

#include <algorithm>

namespace {

int jobNumber(const QString &path)
{
    return QFileInfo(path).baseName().mid(4).toInt();
}

}  // namespace

CapturedJobs::CapturedJobs()
{
    const QString folder = qEnvironmentVariable("SLIP_CAPTURE_DIR");
    if (!folder.isEmpty()) {
        m_folder = QDir(folder);
        m_seen = jobFiles();
    }
}

QSet<QString> CapturedJobs::jobFiles() const
{
    const QStringList names = m_folder.entryList({QStringLiteral("job-*.pdf")}, QDir::Files);
    return QSet<QString>(names.begin(), names.end());
}

QStringList CapturedJobs::newJobs(int expected)
{
    QSet<QString> fresh;
    waitUntil(
        [&] {
            fresh = jobFiles() - m_seen;
            return fresh.size() >= expected;
        },
        30000);
    m_seen += fresh;
    QStringList paths;
    for (const QString &name : fresh)
        paths << m_folder.filePath(name);
    std::sort(paths.begin(), paths.end(),
              [](const QString &a, const QString &b) { return jobNumber(a) < jobNumber(b); });
    return paths;
}
