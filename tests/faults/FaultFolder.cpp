#include "FaultFolder.h"

#include "CalcWorkbook.h"
#include "DataRow.h"
#include "Office.h"
#include "PaymentLedger.h"
#include "PaymentRecord.h"
#include "StarterWorkbook.h"

#include <QDir>
#include <QFile>

MemorySlip sampleSlip()
{
    MemorySlip slip;
    for (int box = 1; box <= 58; ++box)
        slip.setText(box, QString::number(box));
    slip.setText(4, QStringLiteral("2012-12-9"));
    return slip;
}

void makeWorkingFolder(Office &office, const QString &folder)
{
    QFile ledger(QDir(folder).filePath(PaymentLedger::FileName));
    if (!ledger.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw Exception(QStringLiteral("cannot make %1").arg(ledger.fileName()));
    CalcWorkbook workbook(office);
    makeStarterWorkbook(workbook, QDir(folder).filePath(PaymentWorkbook::FileName));
}

int wholeLedgerLines(const QByteArray &bytes)
{
    int lines = 0;
    for (qsizetype start = 0; start < bytes.size(); ++lines) {
        const qsizetype end = bytes.indexOf("\r\n", start);
        if (end < 0 || bytes.mid(start, end - start).count('\t') != PaymentFieldCount)
            return -1;
        start = end + 2;
    }
    return lines;
}

int workbookCounter(Office &office, const QString &path)
{
    CalcWorkbook workbook(office);
    workbook.open(path);
    return dataRowFrom(workbook.counter(), path);
}

QList<pid_t> officesWithProfileIn(const QString &folder)
{
    const QByteArray profile = "-env:UserInstallation=file://" + QFile::encodeName(folder) + '/';
    QList<pid_t> offices;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(entry));
        if (entry.toInt() > 0 && cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(profile))
            offices.append(entry.toInt());
    }
    return offices;
}

bool hasEnded(pid_t pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    // "pid (name) state ...": the name may hold spaces and parentheses.
    const QByteArray line = stat.readAll();
    const qsizetype nameEnd = line.lastIndexOf(')');
    const bool zombie = nameEnd >= 0 && line.mid(nameEnd + 2, 1) == "Z";
    const QStringList threads = QDir(QStringLiteral("/proc/%1/task").arg(pid)).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    return zombie && threads.size() <= 1;
}
