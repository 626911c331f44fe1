#pragma once

#include <QByteArray>
#include <QString>

// Every file the program reads is read through here: only a regular file
// (after links) is opened, opening never waits, and no more than a cap is
// read. A named pipe would wait for a writer, a device may never end, and
// /proc files claim a size of 0: none of them gets further than stat().
namespace regularfile {

// Why a file was not read: the system's reason (an errno value), or one of
// the program's own that the windows put in the user's language.
struct ReadError
{
    enum Kind { None, System, NotAFile, TooLarge };
    Kind kind = None;
    int systemError = 0;   // for System
};

// Reads the whole file when it is a regular file of at most `maxSize`
// bytes; otherwise false with `error` set.
bool read(const QString &path, qint64 maxSize, QByteArray &bytes, ReadError &error);

// True when the file is a regular file that opens and whose first bytes
// read; nothing else is read.
bool check(const QString &path, ReadError &error);

} // namespace regularfile
