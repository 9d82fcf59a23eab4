#pragma once

#include <QString>

// Asks the window to close as a window manager's close button does: the
// message WM_DELETE_WINDOW, sent over the X connection to `display`. The
// virtual display has no window manager that could do it.
void requestWindowClose(const QString &display, const QString &windowId);
