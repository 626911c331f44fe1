#include "model.h"

#include "faceset.h"
#include "textfile.h"

#include <QDir>
#include <QFile>

namespace model {

QStringList builtinTemplate()
{
    QFile file(QStringLiteral(":/model/sablona.wrl"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return textfile::splitLines(QString::fromUtf8(file.readAll()));
}

namespace {

// Text as the inside of a VRML string: '"' and '\' get a backslash.
QString escaped(QString text)
{
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return text;
}

} // namespace

void uprav(QStringList &lines, const std::array<QString, 8> &texts)
{
    static const char *const buttons[4] = {
        "DEF RUKA Tlacitko {", "DEF RUKA2 Tlacitko {",
        "DEF RUKA3 Tlacitko {", "DEF RUKA4 Tlacitko {",
    };
    const qsizetype n = lines.size();
    if (n <= 1000)
        return;
    for (qsizetype i = 1000; i < n; ++i) {
        for (int b = 0; b < 4; ++b) {
            if (!lines[i].contains(QLatin1String(buttons[b])))
                continue;
            if (i + 1 < n)
                lines[i + 1] = QLatin1String("        obsahAlt [\"") + escaped(texts[2 * b]) + QLatin1String("\"]");
            if (i + 2 < n)
                lines[i + 2] = QLatin1String("        obsah [\"") + escaped(texts[2 * b + 1]) + QLatin1String("\"]");
        }
    }
}

QString vrmlEntry(const QString &stored)
{
    if (stored.isEmpty())
        return QString();
    return faceset::quoted(escaped(faceset::unquoted(stored)));
}

bool fitsALine(const QString &path)
{
    return !path.contains(QLatin1Char('\n')) && !path.contains(QLatin1Char('\r'));
}

QString relativeEntry(const QString &stored)
{
    const qsizetype at = stored.indexOf(QLatin1String("obrazkys"));
    if (at < 0)
        return stored;
    return QLatin1Char('"') + stored.mid(at, stored.size() - 1 - at) + QLatin1Char('"');
}

QString relativePath(const QString &path)
{
    const qsizetype at = path.indexOf(QLatin1String("obrazkys"));
    return at < 0 ? path : path.mid(at);
}

QStringList tail(const QString &rotationLine, const QStringList &storedLabels,
                 const QString &closingLine)
{
    QStringList lines;
    lines << QStringLiteral("DEF HRA Krychleov {rotace  ") << rotationLine
          << QStringLiteral("vzory [");
    for (int i = 0; i < 6; ++i)
        lines << vrmlEntry(storedLabels.value(i));
    lines << closingLine
          << QStringLiteral("ROUTE RUKA.isActive TO HRA.pruhledna_in")
          << QStringLiteral("ROUTE RUKA2.isActive TO HRA.zpet_in")
          << QStringLiteral("ROUTE RUKA3.isActive TO HRA.zadni_in")
          << QStringLiteral("ROUTE RUKA4.isActive TO HRA.nahled_in");
    return lines;
}

QStringList tail(const FaceSet &faces)
{
    return tail(faces.rotationLine(), faces.labels(), faces.closingLine());
}

QByteArray fileBytes(const QStringList &lines)
{
    return textfile::joinLines(lines).toUtf8();
}

namespace {

// The text of a VRML string that opens at the line's first character; an
// unterminated string runs to the end of the line. Only \" and \\ are
// escapes: older models carry Windows paths with plain backslashes.
QString vrmlString(const QString &line)
{
    QString out;
    for (qsizetype i = 1; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('\\') && i + 1 < line.size()
            && (line[i + 1] == QLatin1Char('"') || line[i + 1] == QLatin1Char('\\'))) {
            out += line[++i];
            continue;
        }
        if (c == QLatin1Char('"'))
            break;
        out += c;
    }
    return out;
}

bool isAbsolute(const QString &path)
{
    if (path.startsWith(QLatin1Char('/')) || path.startsWith(QLatin1Char('\\')))
        return true;
    return path.size() >= 2 && path[1] == QLatin1Char(':') && path[0].isLetter();
}

bool startsWith(const QString &line, QChar c)
{
    return !line.isEmpty() && line[0] == c;
}

} // namespace

bool load(const QStringList &lines, const QString &folder, Loaded &out)
{
    const qsizetype n = lines.size();
    // The last picture entry: from line n - 6 backwards to a line that opens
    // with a double quote, or to an empty line: the entry of an empty slot.
    qsizetype c = n - 6;
    while (c >= 0 && !lines[c].isEmpty() && !startsWith(lines[c], QLatin1Char('"')))
        --c;
    if (c < 5)
        return false;
    // The rotation line: from c - 7 backwards to a line that opens with "[".
    qsizetype r = c - 7;
    while (r >= 0 && !startsWith(lines[r], QLatin1Char('[')))
        --r;
    if (r < 0)
        return false;

    Loaded loaded;
    for (int slot = 0; slot < 6; ++slot) {
        const QString &line = lines[c - 5 + slot];
        if (line.isEmpty())
            continue;
        if (!startsWith(line, QLatin1Char('"')))
            return false;
        QString path = vrmlString(line);
        if (!isAbsolute(path)) {
            path.replace(QLatin1Char('\\'), QLatin1Char('/'));
            // Joined by hand: QDir::filePath leaves ":name" alone as a
            // resource path.
            if (!folder.isEmpty()) {
                QString base = QDir(folder).path();
                if (!base.endsWith(QLatin1Char('/')))
                    base += QLatin1Char('/');
                path = base + path;
            }
        }
        loaded.labels[slot] = faceset::quoted(path);
    }
    int found = 0;
    for (const QChar ch : lines[r]) {
        if (found == 6)
            break;
        if (ch >= QLatin1Char('0') && ch <= QLatin1Char('3'))
            loaded.rotations[found++] = QString(ch);
    }
    // A model written with an empty rotation edit has fewer digits: the
    // missing rotations count as 0.
    for (; found < 6; ++found)
        loaded.rotations[found] = QStringLiteral("0");
    out = loaded;
    return true;
}

} // namespace model
