#pragma once

#include <QImage>

// The program's icon, 32 by 32 pixels: a small paper slip with a red cross.
QImage drawSlipIcon();
