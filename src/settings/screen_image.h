// The instrument's monochrome display as a picture: the 784-byte screen block mapped to pixels,
// drawn inside a one-pixel frame in the two colours the user chose.
#pragma once

#include <QColor>
#include <QImage>

#include "wire/frames.h"

namespace porvel {

constexpr int kDisplayWidth = 98;
constexpr int kDisplayHeight = 64;
constexpr int kScreenImageWidth = 102;
constexpr int kScreenImageHeight = 68;

// True for an ink pixel of the display: byte k holds column k mod 98 of page k div 98, bit n the
// row 8 x page + n, the lowest bit on top.
bool DisplayPixel(const ScreenBlock& block, int column, int row);

// True for an ink pixel of the 102 x 68 picture: the outer frame, and the display at (2, 2)
// with a blank gap of one pixel between it and the frame.
bool ScreenImagePixel(const ScreenBlock& block, int x, int y);

// The picture in ink and background colours, 102 x 68 pixels.
QImage ScreenImage(const ScreenBlock& block, const QColor& ink, const QColor& background);

// Writes the picture as PNG when the name ends in .png and as BMP otherwise, through a temporary
// file beside the target that replaces it only when complete. On failure false, with the
// system's reason in `error`, and an older file of that name is left as it was.
bool SaveScreenImage(const QImage& image, const QString& path, QString* error);

}  // namespace porvel
