#include "facetiles.h"

#include "netgeometry.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>

namespace facetiles {

namespace {

QImage whiteTile()
{
    QImage tile(net::tileSize, net::tileSize, QImage::Format_RGB32);
    tile.fill(Qt::white);
    return tile;
}

QImage readFile(const QString &path)
{
    if (path.isEmpty())
        return QImage();
    QFile file(path);
    return readPicture(&file);
}

} // namespace

QImage readPicture(QIODevice *device)
{
    QImageReader reader(device);
    reader.setDecideFormatFromContent(true);
    // Face pictures are photos at most; refuse absurd sizes before decoding.
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > 64LL * 1024 * 1024)
        return QImage();
    return reader.read();
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
    const QImage companion = readFile(companionName);
    // The picture is read only when the companion cannot be.
    return composeTile(companion, companion.isNull() ? readFile(picturePath) : QImage());
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
