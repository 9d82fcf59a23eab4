#pragma once

#include "FieldCatalogue.h"

#include <QFont>

// The faces of the window. The slip needs a face that draws Chinese; the
// Debian package fonts-wqy-microhei provides one.
QFont windowFont();
QFont boxFont(BoxFont kind);
