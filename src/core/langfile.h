#pragma once

#include <QByteArray>
#include <QStringList>

// The language file "lang.txt": 124 positional lines of texts.
namespace langfile {

constexpr int lineCount = 124;

// The texts of lines 1..124 (index 0..123). A line's text stops at its
// first CR or LF; blanks are kept; lines past the end of the file are empty
// texts and lines after 124 are ignored. The bytes are UTF-8 when they are
// valid UTF-8, otherwise Windows-1250.
QStringList parse(const QByteArray &bytes);

} // namespace langfile
