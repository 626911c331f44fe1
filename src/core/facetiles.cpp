#include "facetiles.h"

#include "netgeometry.h"

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

bool readImage(const QString &path, QImage &image)
{
    if (path.isEmpty())
        return false;
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    // Face pictures are photos at most; refuse absurd sizes before decoding.
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > 64LL * 1024 * 1024)
        return false;
    image = reader.read();
    return !image.isNull();
}

} // namespace

QImage loadTile(const QString &companionName, const QString &picturePath)
{
    QImage source;
    QImage tile = whiteTile();
    if (readImage(companionName, source)) {
        QPainter painter(&tile);
        painter.drawImage(QPoint(0, 0), source, QRect(0, 0, net::tileSize, net::tileSize));
        return tile;
    }
    if (readImage(picturePath, source)) {
        const QImage scaled = source.scaled(net::tileSize, net::tileSize, Qt::IgnoreAspectRatio,
                        Qt::SmoothTransformation);
        QPainter painter(&tile);
        painter.drawImage(0, 0, scaled);
    }
    return tile;
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
