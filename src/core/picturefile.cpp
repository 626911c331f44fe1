#include "picturefile.h"

#include <QBuffer>
#include <QImageReader>

namespace picturefile {

namespace {

// The format the first bytes name; the decoder of that format alone then
// decides whether the rest is a picture.
Format signature(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xD8\xFF"))
        return Format::Jpeg;
    if (bytes.startsWith("\x89PNG\r\n\x1A\n"))
        return Format::Png;
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a"))
        return Format::Gif;
    if (bytes.startsWith("BM"))
        return Format::Bmp;
    return Format::None;
}

const char *readerFormat(Format format)
{
    switch (format) {
    case Format::Jpeg: return "jpeg";
    case Format::Png: return "png";
    case Format::Gif: return "gif";
    case Format::Bmp: return "bmp";
    case Format::None: break;
    }
    return "";
}

Format refuse(Problem &problem, Problem::Kind kind, QSize size = {})
{
    problem = {kind, {}, size};
    return Format::None;
}

quint32 bigEndian(const char *at)
{
    return quint32(quint8(at[0])) << 24 | quint32(quint8(at[1])) << 16
            | quint32(quint8(at[2])) << 8 | quint32(quint8(at[3]));
}

// The scans of a JPEG, counted by walking its segments (a progressive JPEG
// is decoded once over the whole picture for every scan, even when scaled:
// a few bytes a scan could cost minutes).
int jpegScans(const QByteArray &bytes)
{
    const auto byte = [&bytes](qsizetype at) { return quint8(bytes[at]); };
    int scans = 0;
    qsizetype at = 2;
    while (at + 4 <= bytes.size() && byte(at) == 0xFF) {
        const quint8 marker = byte(at + 1);
        if (marker == 0xD9)
            break;
        if (marker == 0xFF || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += marker == 0xFF ? 1 : 2;
            continue;
        }
        at += 2 + (qsizetype(byte(at + 2)) << 8 | byte(at + 3));
        if (marker != 0xDA)
            continue;
        ++scans;
        // The scan's data ends at the first marker other than a stuffed
        // zero or a restart marker.
        while (at + 1 < bytes.size()
               && (byte(at) != 0xFF || byte(at + 1) == 0x00 || (byte(at + 1) >= 0xD0 && byte(at + 1) <= 0xD7)))
            ++at;
    }
    return scans;
}

} // namespace

QByteArray decodable(const QByteArray &bytes)
{
    if (signature(bytes) != Format::Png)
        return bytes;
    // Each chunk: length, type, data, CRC; nothing after IEND is read.
    for (qsizetype at = 8; at < bytes.size();) {
        if (bytes.size() - at < 12 || bigEndian(bytes.constData() + at) > quint32(bytes.size() - at - 12))
            return {};
        if (bytes.mid(at + 4, 4) == "IEND")
            break;
        at += qsizetype(bigEndian(bytes.constData() + at)) + 12;
    }
    return bytes;
}

void allowPictureAllocations()
{
    // Four bytes a pixel, and some room for a conversion.
    QImageReader::setAllocationLimit(int(maxPixels * 4 / (1024 * 1024)) + 64);
}

Format decode(const QByteArray &bytes, Problem &problem, QImage *image, QSize largest)
{
    const Format format = signature(bytes);
    if (format == Format::None)
        return refuse(problem, Problem::NotAPicture);
    QBuffer buffer;
    buffer.setData(decodable(bytes));
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, readerFormat(format));
    reader.setAutoDetectImageFormat(false);
    // The size the header claims, before a pixel is decoded.
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return refuse(problem, Problem::NotAPicture);
    if (qint64(size.width()) * size.height() > maxPixels
        || (largest.isValid() && (size.width() > largest.width() || size.height() > largest.height())))
        return refuse(problem, Problem::TooManyPixels, size);
    // A picture of the largest size may have the scans of a usual
    // progressive JPEG and some more; a small one more still, up to maxScans.
    if (format == Format::Jpeg) {
        const int scans = jpegScans(bytes);
        if (scans > maxScans || qint64(scans) * size.width() * size.height() > 32 * maxPixels)
            return refuse(problem, Problem::NotAPicture);
    }
    allowPictureAllocations();
    // Only checked, a JPEG is decoded at an eighth of its size: libjpeg
    // still reads every bit of it, in a fraction of the time and memory.
    if (!image && format == Format::Jpeg)
        reader.setScaledSize(QSize((size.width() + 7) / 8, (size.height() + 7) / 8));
    QImage decoded = reader.read();
    if (decoded.isNull())
        return refuse(problem, Problem::NotAPicture);
    if (image)
        *image = std::move(decoded);
    problem = {};
    return format;
}

Checked read(const QString &path, Problem &problem, QImage *image)
{
    Checked picture;
    regularfile::ReadError error;
    if (!regularfile::read(path, maxFileSize, picture.bytes, error)) {
        problem = {Problem::File, error, {}};
        return {};
    }
    picture.format = decode(picture.bytes, problem, image);
    if (picture.format == Format::None)
        return {};
    return picture;
}

QByteArray contentType(Format format)
{
    switch (format) {
    case Format::Jpeg: return "image/jpeg";
    case Format::Png: return "image/png";
    case Format::Gif: return "image/gif";
    case Format::Bmp: return "image/bmp";
    case Format::None: break;
    }
    return {};
}

QString suffix(Format format)
{
    switch (format) {
    case Format::Jpeg: return QStringLiteral("jpg");
    case Format::Png: return QStringLiteral("png");
    case Format::Gif: return QStringLiteral("gif");
    case Format::Bmp: return QStringLiteral("bmp");
    case Format::None: break;
    }
    return {};
}

} // namespace picturefile
