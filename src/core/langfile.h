#pragma once

#include <QByteArray>
#include <QStringList>

// The language file "lang.txt": 124 positional lines of texts, then the
// texts of later additions (line 125 on).
namespace langfile {

constexpr int lineCount = 124;
// Lines read at most; anything after is ignored.
constexpr int maxLineCount = 1000;

// The texts of lines 1..124 (index 0..123), then those of the lines after
// 124 that the file has. A line's text stops at its first CR or LF; blanks
// are kept; lines 1..124 past the end of the file are empty texts. The bytes
// are UTF-8 when they are valid UTF-8, otherwise Windows-1250.
QStringList parse(const QByteArray &bytes);

} // namespace langfile
