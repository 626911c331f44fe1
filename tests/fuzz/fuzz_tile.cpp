// The tile path: picture bytes read as loadTile reads a file. Any input gives
// a 32 x 32 tile, white when the bytes are not a picture. The same bytes
// through the check of pictures a model names: a picture only when they
// begin as its format does and decode within the pixel limit.
#include "facetiles.h"
#include "fuzzcheck.h"
#include "picturefile.h"

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
    const QImage picture = facetiles::readPicture(bytes);
    for (const QImage &tile : {facetiles::composeTile(picture, QImage()),
                               facetiles::composeTile(QImage(), picture)}) {
        FUZZ_CHECK(tile.size() == QSize(32, 32));
        FUZZ_CHECK(tile.format() == QImage::Format_RGB32);
        if (picture.isNull())
            FUZZ_CHECK(allWhite(tile));
    }

    picturefile::Problem problem;
    QImage checked;
    const picturefile::Format format = picturefile::decode(bytes, problem, &checked);
    FUZZ_CHECK((format == picturefile::Format::None) == bool(problem));
    if (format != picturefile::Format::None) {
        FUZZ_CHECK(!checked.isNull());
        FUZZ_CHECK(qint64(checked.width()) * checked.height() <= picturefile::maxPixels);
        FUZZ_CHECK(!picturefile::contentType(format).isEmpty());
        static const char *const starts[] = {"", "\xFF\xD8\xFF", "\x89PNG", "GIF8", "BM"};
        FUZZ_CHECK(bytes.startsWith(starts[int(format)]));
    } else if (problem.kind == picturefile::Problem::TooManyPixels) {
        FUZZ_CHECK(qint64(problem.size.width()) * problem.size.height() > picturefile::maxPixels);
    }
    return 0;
}
