#include "screen_image.h"

#include <QFileInfo>
#include <QImageWriter>

#include "base/durable_save.h"

namespace porvel {
namespace {

constexpr int kRowsPerPage = 8;
constexpr int kDisplayLeft = 2;
constexpr int kDisplayTop = 2;

}  // namespace

bool DisplayPixel(const ScreenBlock& block, int column, int row) {
    const std::size_t k = static_cast<std::size_t>((row / kRowsPerPage) * kDisplayWidth + column);
    return (block[k] >> (row % kRowsPerPage)) & 1U;
}

bool ScreenImagePixel(const ScreenBlock& block, int x, int y) {
    if (x == 0 || y == 0 || x == kScreenImageWidth - 1 || y == kScreenImageHeight - 1) return true;
    const int column = x - kDisplayLeft;
    const int row = y - kDisplayTop;
    if (column < 0 || row < 0 || column >= kDisplayWidth || row >= kDisplayHeight) return false;
    return DisplayPixel(block, column, row);
}

QImage ScreenImage(const ScreenBlock& block, const QColor& ink, const QColor& background) {
    QImage image(kScreenImageWidth, kScreenImageHeight, QImage::Format_RGB32);
    const QRgb inkRgb = ink.rgb();
    const QRgb backgroundRgb = background.rgb();
    for (int y = 0; y < kScreenImageHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kScreenImageWidth; ++x)
            line[x] = ScreenImagePixel(block, x, y) ? inkRgb : backgroundRgb;
    }
    return image;
}

bool SaveScreenImage(const QImage& image, const QString& path, QString* error) {
    const bool png =
        QFileInfo(path).suffix().compare(QStringLiteral("png"), Qt::CaseInsensitive) == 0;
    return SaveDurably(
        path,
        [&](QIODevice& file, QString* reason) {
            QImageWriter writer(&file, png ? "png" : "bmp");
            if (writer.write(image)) return true;
            *reason = writer.errorString();
            return false;
        },
        error);
}

}  // namespace porvel
