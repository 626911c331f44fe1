// The tile path: picture bytes read as loadTile reads a file. Any input gives
// a 32 x 32 tile, white when the bytes are not a picture.
#include "facetiles.h"
#include "fuzzcheck.h"

#include <QBuffer>

namespace {

bool allWhite(const QImage &tile)
{
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x)
            if (tile.pixel(x, y) != 0xFFFFFFFFu)
                return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    const QImage picture = facetiles::readPicture(&buffer);
    for (const QImage &tile : {facetiles::composeTile(picture, QImage()),
                               facetiles::composeTile(QImage(), picture)}) {
        FUZZ_CHECK(tile.size() == QSize(32, 32));
        FUZZ_CHECK(tile.format() == QImage::Format_RGB32);
        if (picture.isNull())
            FUZZ_CHECK(allWhite(tile));
    }
    return 0;
}
