#include "facetiles.h"

#include "netgeometry.h"
#include "picturefile.h"
#include "regularfile.h"

#include <QBuffer>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace facetiles {

namespace {

QImage whiteTile()
{
    QImage tile(net::tileSize, net::tileSize, QImage::Format_RGB32);
    tile.fill(Qt::white);
    return tile;
}

quint32 littleEndian(const QByteArray &bytes, int at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes[at + i]);
    return value;
}

// The rows of an uncompressed BMP that its data holds, counted from the
// first row in the file; -1 when this is not such a BMP or it is whole.
int bmpRowsPresent(QIODevice *device, int *height, bool *bottomUp)
{
    const QByteArray header = device->peek(54);
    if (header.size() < 54 || !header.startsWith("BM") || littleEndian(header, 14, 4) < 40)
        return -1;
    const qint64 offset = littleEndian(header, 10, 4);
    const qint64 width = qint32(littleEndian(header, 18, 4));
    const qint64 rows = qint32(littleEndian(header, 22, 4));
    const qint64 bits = littleEndian(header, 28, 2);
    const quint32 compression = littleEndian(header, 30, 4);
    if ((compression != 0 && compression != 3) || width <= 0 || rows == 0 || bits == 0)
        return -1;
    const qint64 stride = (width * bits + 31) / 32 * 4;
    const qint64 present = std::max<qint64>(0, device->size() - offset) / stride;
    if (present >= std::abs(rows))
        return -1;
    *height = int(std::abs(rows));
    *bottomUp = rows > 0;
    return int(present);
}

} // namespace

QImage readPicture(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    int height = 0;
    bool bottomUp = true;
    const int present = bmpRowsPresent(&buffer, &height, &bottomUp);
    // Checked as every picture from outside: one of the four formats,
    // decided by the content, within the pixel limit.
    picturefile::Problem problem;
    QImage image;
    picturefile::decode(bytes, problem, &image);
    if (image.isNull() || present < 0 || image.height() != height)
        return image;
    // Qt leaves the rows a cut-off BMP lacks black; a tile lacks them: white.
    image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                          : QImage::Format_RGB32);
    const int missing = height - present;
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(0, bottomUp ? 0 : present, image.width(), missing, Qt::white);
    return image;
}

QImage readPictureFile(const QString &path)
{
    QByteArray bytes;
    regularfile::ReadError error;
    if (path.isEmpty() || !regularfile::read(path, picturefile::maxFileSize, bytes, error))
        return QImage();
    return readPicture(bytes);
}

QImage composeTile(const QImage &companion, const QImage &picture)
{
    QImage tile = whiteTile();
    if (!companion.isNull()) {
        QPainter painter(&tile);
        painter.drawImage(QPoint(0, 0), companion, QRect(0, 0, net::tileSize, net::tileSize));
        return tile;
    }
    if (!picture.isNull()) {
        const QImage scaled = picture.scaled(net::tileSize, net::tileSize, Qt::IgnoreAspectRatio,
                        Qt::SmoothTransformation);
        QPainter painter(&tile);
        painter.drawImage(0, 0, scaled);
    }
    return tile;
}

QImage loadTile(const QString &companionName, const QString &picturePath)
{
    const QImage companion = readPictureFile(companionName);
    // The picture is read only when the companion cannot be.
    return composeTile(companion, companion.isNull() ? readPictureFile(picturePath) : QImage());
}

QImage mirrored(const QImage &tile)
{
    QImage out = whiteTile();
    for (int y = 0; y < net::tileSize; ++y)
        for (int x = 0; x < net::tileSize; ++x)
            if (tile.valid(net::tileSize - 1 - x, y))
                out.setPixel(x, y, tile.pixel(net::tileSize - 1 - x, y));
    return out;
}

} // namespace facetiles
