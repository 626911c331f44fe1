#pragma once

#include <QImage>
#include <QString>

// The 32 x 32 face tiles drawn on nets.
namespace facetiles {

// The companion bitmap when it can be read (its top-left 32 x 32, pixels it
// lacks white); else the picture itself scaled to 32 x 32; else white. Never
// a tile of an earlier picture.
QImage loadTile(const QString &companionName, const QString &picturePath);

// A picture decoded from `bytes` (picturefile::decodable), its format taken
// from the content. Null when it cannot be read or claims more than
// picturefile::maxPixels.
QImage readPicture(const QByteArray &bytes);

// A picture file read as readPicture reads it. Only a regular file of at
// most picturefile::maxFileSize is read (regularfile::read); else null.
QImage readPictureFile(const QString &path);

// The tile from what was read: the companion's top-left 32 x 32 when it is
// not null, else the picture scaled to 32 x 32, else white.
QImage composeTile(const QImage &companion, const QImage &picture);

// mirrored(x, y) = tile(31 - x, y)
QImage mirrored(const QImage &tile);

} // namespace facetiles
