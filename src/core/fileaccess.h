#pragma once

#include "languagetexts.h"
#include "textfile.h"

#include <QByteArray>
#include <QString>

// What stopped an operation, as the window shows it: the error box for a
// file that could not be read or written, a plain message for anything the
// program itself refuses.
struct Failure
{
    enum Kind { None, File, Message };
    Kind kind = None;
    QString text;

    static Failure file(const QString &text) { return {File, text}; }
    static Failure message(const QString &text) { return {Message, text}; }
    explicit operator bool() const { return kind != None; }
};

// Files read and written for the windows, failures in the user's language.
namespace fileaccess {

// Why a file was not read: the system's reason, or the program's own.
QString readErrorText(const LanguageTexts &language, const textfile::ReadError &error);
// Reads a whole file (textfile::readFile); the error names the file, then the reason.
Failure read(const LanguageTexts &language, const QString &path, QByteArray &bytes);
// The same for a file that is only checked (textfile::canRead).
Failure checkReadable(const LanguageTexts &language, const QString &path);
// Writes through QSaveFile; the error is the system's reason.
Failure write(const QString &path, const QByteArray &bytes);

} // namespace fileaccess
