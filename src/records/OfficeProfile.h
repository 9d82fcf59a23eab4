#pragma once

#include <QByteArray>
#include <QString>

// The settings an office of ours starts from. A profile the office has not
// seen before counts as a first start after an upgrade, and the office then
// spends seconds on checks of its graphics output before it answers. The
// profile is written with the installed office's version as the one it last
// ran, so each of our offices starts at once.

// The version ("7.4") named in an office installation's main registry file,
// or an empty string when the file names none.
QString officeVersionIn(const QByteArray &mainRegistry);

// Writes the profile's settings into `profileFolder` for the office whose
// program is `officeProgram`. Does nothing when the installation's version
// cannot be read: the office then makes its profile itself, only slower.
void seedOfficeProfile(const QString &profileFolder, const QString &officeProgram);
