#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Zip archives in memory, through libzip. Reading treats the bytes as
// hostile: every entry name, size and kind is checked before anything is
// used, and no more than the limits is ever unpacked.
namespace ziparchive {

struct Entry
{
    QString name;      // "pictures/0.jpg": relative, '/'-separated
    QByteArray data;
    bool compress = true;   // false: stored as it is (pictures are packed already)
};

struct Limits
{
    int entries = 64;
    qint64 entrySize = 24 * 1024 * 1024;
    qint64 totalSize = 64 * 1024 * 1024;
};

// A plain relative name: 1..200 characters of letters, digits, '.', '-' and
// '_' in '/'-separated parts, none of them empty, "." or "..".
bool safeName(const QString &name);

// The archive's bytes; empty with `error` set on failure. Entries get a
// fixed time, so the same entries give the same bytes.
QByteArray write(const QList<Entry> &entries, QString *error = nullptr);

enum class ReadError {
    None,
    NotAnArchive,   // not a zip, or damaged (a CRC or a header that does not agree)
    BadName,        // an absolute name, "..", a name that is not plain, a name twice
    NotAFile,       // a link, a folder, an encrypted entry
    TooLarge,       // more entries, or more bytes, than the limits allow
};

struct ReadResult
{
    ReadError error = ReadError::None;
    QList<Entry> entries;   // in the archive's order; empty on error
    bool ok() const { return error == ReadError::None; }
};

ReadResult read(const QByteArray &bytes, const Limits &limits = Limits());

} // namespace ziparchive
