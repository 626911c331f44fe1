#include "langfile.h"

#include "textfile.h"

namespace langfile {

QStringList parse(const QByteArray &bytes)
{
    QStringList lines;
    lines.reserve(lineCount);
    const bool utf8 = textfile::isValidUtf8(bytes);
    qsizetype start = 0;
    while (lines.size() < maxLineCount && start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArray line = bytes.mid(start, end - start);
        const qsizetype cr = line.indexOf('\r');
        if (cr >= 0)
            line.truncate(cr);
        lines << (utf8 ? QString::fromUtf8(line) : textfile::decodeWindows1250(line));
        start = end + 1;
    }
    while (lines.size() < lineCount)
        lines << QString();
    return lines;
}

} // namespace langfile
