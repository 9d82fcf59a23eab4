#pragma once

#include <QString>

// Whether the lock file LibreOffice keeps beside an open document was left
// by one of our own offices that has ended (killed with the program that
// started it, so it could not remove the file): it was written on this host,
// names a profile folder of ours, and no running process uses that profile.
// A lock file that is still empty a second after it was made is left over
// too: an office writes it as soon as it makes it, so its office was killed
// in between. A lock file of any other office, or one that cannot be read,
// is never taken as left over.
bool isLeftByEndedOffice(const QString &lockFile);
