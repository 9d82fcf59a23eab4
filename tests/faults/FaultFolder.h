#pragma once

// What the fault tests share: a working folder with an empty ledger and a
// starter workbook, the slip they save, and the checks of what a fault left.

#include "SettlementSlip.h"
#include "TestText.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <sys/types.h>

class Office;

// Every box filled with a number, the declaration date with a date.
MemorySlip sampleSlip();

// Puts an empty ledger and a starter workbook (counter at its first free
// row) into `folder`, the workbook made by `office`.
void makeWorkingFolder(Office &office, const QString &folder);

// The number of ledger lines in `bytes` when each is whole (35 TABs, then
// CR LF); -1 when some line is not.
int wholeLedgerLines(const QByteArray &bytes);

// The counter of the workbook at `path` as opened for a save by `office`;
// throws Exception when the workbook cannot be opened as one.
int workbookCounter(Office &office, const QString &path);

// The processes of offices whose profile lies in `folder`.
QList<pid_t> officesWithProfileIn(const QString &folder);

// Whether every thread of process `pid` has ended. A killed process shows
// as a zombie, its command line gone, as soon as its first thread ends;
// its other threads still hold its open files and locks until they end too.
bool hasEnded(pid_t pid);
