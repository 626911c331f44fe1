#include "langfile.h"

#include "textfile.h"

#include <QDir>
#include <QFileInfo>

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
        QString text = utf8 ? QString::fromUtf8(line) : textfile::decodeWindows1250(line);
        text.removeIf([](QChar c) { return c < u' ' && c != u'\t'; });
        text.truncate(maxLineLength);
        lines << text;
        start = end + 1;
    }
    while (lines.size() < lineCount)
        lines << QString();
    return lines;
}

Choice choose(const QString &startFolder, const QString &dataDir, QLocale::Language system)
{
    const QString local = QDir(startFolder).filePath(QStringLiteral("lang.txt"));
    if (QFileInfo::exists(local))
        return {local, false};
    if (system == QLocale::Czech || system == QLocale::C || system == QLocale::AnyLanguage)
        return {};
    const QString shipped = QDir(dataDir).filePath(
            QStringLiteral("lang/%1/lang.txt").arg(QLocale::languageToCode(system)));
    if (QFileInfo(shipped).isFile())
        return {shipped, true};
    return {};
}

} // namespace langfile
