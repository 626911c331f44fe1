#pragma once

#include "languagetexts.h"
#include "picturefile.h"
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

// The system's reason for an errno value, in the user's language.
QString systemReason(const LanguageTexts &language, int systemError);
// Why a file was not read: the system's reason, or the program's own.
QString readErrorText(const LanguageTexts &language, const textfile::ReadError &error);
// Why a file was not written.
QString writeErrorText(const LanguageTexts &language, const textfile::WriteError &error);
// Why a picture was refused.
QString pictureProblemText(const LanguageTexts &language, const picturefile::Problem &problem);
// "file" + line end + "reason", as the error box shows it.
QString named(const QString &path, const QString &reason);

// Reads a whole file of at most `maxSize` bytes (regularfile::read); the
// error names the file, then the reason.
Failure read(const LanguageTexts &language, const QString &path, QByteArray &bytes,
             qint64 maxSize = textfile::maxReadSize);
// The same for a file that is only checked (textfile::canRead).
Failure checkReadable(const LanguageTexts &language, const QString &path);
// Writes through QSaveFile; the error names the file, then the reason.
Failure write(const LanguageTexts &language, const QString &path, const QByteArray &bytes);

// A file dialog's filter from the windows' "description|patterns|..." form
// to Qt's: "Obrázky (*.jpg)|*.jpg;*.png" -> "Obrázky (*.jpg) (*.jpg *.png)";
// a description that shows its patterns keeps them once:
// "Bitmaps (*.bmp)|*.bmp" -> "Bitmaps (*.bmp)".
QString qtFilter(const QString &pairs);

} // namespace fileaccess
