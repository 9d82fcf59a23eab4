#pragma once

#include <QImage>
#include <QString>

// The picture of the blank settlement slip that the window shows under its
// boxes, drawn pixel for pixel at the window's design size.
inline constexpr int SlipPictureWidth = 861;
inline constexpr int SlipPictureHeight = 417;

// Draws the blank slip with the Chinese face `family`: sky and clouds, the
// title, the header line, the ruled grid, the signature line and the notes.
// The cells of the grid come from the field catalogue, so every box lies
// over its value cell. Throws std::runtime_error when a text cannot be drawn
// whole: a character missing from the face, or a text too long for its cell.
QImage drawSlipPicture(const QString &family);
