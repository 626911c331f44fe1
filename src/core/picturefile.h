#pragma once

#include "regularfile.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// Pictures named from outside (a model file may come from anyone): only a
// regular file that decodes whole as JPEG, PNG, GIF or BMP is a picture.
// The format is decided by the content, never by the name.
namespace picturefile {

enum class Format { None, Jpeg, Png, Gif, Bmp };

// Largest picture file read, and the most pixels it may claim: checked
// before anything is decoded.
constexpr qint64 maxFileSize = 64 * 1024 * 1024;
constexpr qint64 maxPixels = 64LL * 1024 * 1024;
// Most scans a JPEG may have (a progressive one has about ten).
constexpr int maxScans = 100;

// Why a picture was refused.
struct Problem
{
    enum Kind { None, File, NotAPicture, TooManyPixels };
    Kind kind = None;
    regularfile::ReadError file;   // for File
    QSize size;                    // for TooManyPixels: the size claimed

    explicit operator bool() const { return kind != None; }
};

// The bytes as the decoders get them: empty for a PNG with a chunk that
// claims more bytes than follow it (libpng allocates what a chunk claims
// before it finds the file short: a few kilobytes could cost gigabytes and
// seconds); otherwise `bytes` as they are.
QByteArray decodable(const QByteArray &bytes);

// The format of the picture in `bytes`; Format::None, with `problem` set,
// unless they decode as one of the four within maxPixels (and, when
// `largest` is valid, within its width and height). `image`, when given,
// receives the decoded picture.
Format decode(const QByteArray &bytes, Problem &problem, QImage *image = nullptr,
              QSize largest = QSize());

// Lets Qt's decoders allocate what a picture within maxPixels needs (the
// limit is Qt's, one for the whole program); every reader calls it first.
void allowPictureAllocations();

// A picture file as read: the bytes that decoded, and their format.
struct Checked
{
    Format format = Format::None;
    QByteArray bytes;
};

// Reads a picture file (regularfile::read, at most maxFileSize) and decodes
// what was read; Format::None with `problem` set when it is no picture.
Checked read(const QString &path, Problem &problem, QImage *image = nullptr);

// "image/jpeg" ...; empty for Format::None.
QByteArray contentType(Format format);
// "jpg", "png", "gif", "bmp"; empty for Format::None.
QString suffix(Format format);

} // namespace picturefile
