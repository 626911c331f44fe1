#pragma once

#include <QImage>
#include <QString>

// The 32 x 32 face tiles drawn on nets.
namespace facetiles {

// The companion bitmap when it can be read (its top-left 32 x 32, pixels it
// lacks white); else the picture itself scaled to 32 x 32; else white. Never
// a tile of an earlier picture.
QImage loadTile(const QString &companionName, const QString &picturePath);

// mirrored(x, y) = tile(31 - x, y)
QImage mirrored(const QImage &tile);

} // namespace facetiles
