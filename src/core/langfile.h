#pragma once

#include <QByteArray>
#include <QLocale>
#include <QStringList>

// The language file "lang.txt": 124 positional lines of texts, then the
// texts of later additions (line 125 on).
namespace langfile {

constexpr int lineCount = 124;
// Lines read at most; anything after is ignored.
constexpr int maxLineCount = 1000;
// Characters a line's text keeps at most (the longest text is a few hundred).
constexpr int maxLineLength = 1000;

// The texts of lines 1..124 (index 0..123), then those of the lines after
// 124 that the file has. A line's text stops at its first CR or LF and after
// maxLineLength characters; other control characters but the tab are
// dropped (no output may carry them: an XML manifest cannot); blanks are
// kept; lines 1..124 past the end of the file are empty texts. The bytes are
// UTF-8 when they are valid UTF-8, otherwise Windows-1250.
QStringList parse(const QByteArray &bytes);

// The language file used at start-up: "lang.txt" in the start folder when it
// exists; otherwise, for a system language other than Czech, the file that
// ships for it (<dataDir>/lang/<code>/lang.txt) when there is one; otherwise
// none, and the built-in Czech texts stay.
struct Choice
{
    QString path;                 // empty: the built-in texts
    bool fromSystemLanguage = false;
};
Choice choose(const QString &startFolder, const QString &dataDir, QLocale::Language system);

} // namespace langfile
