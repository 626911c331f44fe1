#pragma once

#include "regularfile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text files of the program: lines end with CR LF when written; readers take
// CR LF and LF. Text of the outside world (quiz and language files) is UTF-8
// when it is valid UTF-8, otherwise Windows-1250.
namespace textfile {

// A file is read whole only when it is at most this large; larger files are
// refused before anything is parsed.
constexpr qint64 maxReadSize = 8 * 1024 * 1024;

bool isValidUtf8(const QByteArray &bytes);
QString decodeText(const QByteArray &bytes);
QString decodeWindows1250(const QByteArray &bytes);
// Windows-1250 when every character fits and the bytes read back as the
// same text, otherwise UTF-8.
QByteArray encodeText(const QString &text);
// True when every character of `text` has a Windows-1250 byte.
bool fitsWindows1250(const QString &text);

// Splits at LF; a CR before the LF is dropped. A final line end does not
// start another line.
QStringList splitLines(const QString &text);
// Joins the lines, each followed by CR LF.
QString joinLines(const QStringList &lines);
// True when a memo or a label would show `text` as more than one line: a
// line break, Unicode's line or paragraph separator, or one of the two
// characters Qt's text documents use to mark frames.
bool breaksLines(const QString &text);

using ReadError = regularfile::ReadError;

// Reads a whole file of at most maxReadSize bytes (regularfile::read): a
// named pipe, a device or a folder is refused, never opened for reading.
bool readFile(const QString &path, QByteArray &bytes, ReadError &error);
// True when the file is a regular file that can be opened and its first
// bytes read (a picture that is given by name); otherwise false with `error`
// set.
bool canRead(const QString &path, ReadError &error);

// Why a write failed: the system's reason (an errno value), or when the
// system gave none, Qt's text.
struct WriteError
{
    int systemError = 0;
    QString qtReason;
};
// Writes through QSaveFile: on failure the earlier file stays intact.
bool writeFile(const QString &path, const QByteArray &bytes, WriteError &error);
// The same, the reason as the system's own (English) text.
bool writeFile(const QString &path, const QByteArray &bytes, QString &error);

} // namespace textfile
