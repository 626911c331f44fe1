#include "quizfile.h"

#include "textfile.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace quiz {

namespace {

const QByteArray utf8Bom("\xEF\xBB\xBF");

// A decimal integer with an optional sign that fits an int.
std::optional<int> parseNumber(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    bool negative = false;
    if (text.front() == u'-' || text.front() == u'+') {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > qint64(INT_MAX) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value < INT_MIN || value > INT_MAX)
        return std::nullopt;
    return int(value);
}

// "I p left top ssssss": placement is the 3rd character ("0" = panel, any
// other = sheet), left runs from the 5th character to the next blank, top to
// the blank after it, then blanks, then six digits. Trailing text is ignored.
std::optional<Thumbnail> parseThumbnail(const QString &line)
{
    if (line.size() < 5)
        return std::nullopt;
    Thumbnail t;
    t.onSheet = line[2] != u'0';
    const qsizetype leftEnd = line.indexOf(u' ', 4);
    if (leftEnd < 0)
        return std::nullopt;
    const qsizetype topEnd = line.indexOf(u' ', leftEnd + 1);
    if (topEnd < 0)
        return std::nullopt;
    const auto left = parseNumber(QStringView(line).mid(4, leftEnd - 4));
    const auto top = parseNumber(QStringView(line).mid(leftEnd + 1, topEnd - leftEnd - 1));
    if (!left || !top)
        return std::nullopt;
    t.left = *left;
    t.top = *top;
    qsizetype pos = topEnd;
    while (pos < line.size() && line[pos] == u' ')
        ++pos;
    if (line.size() - pos < squareCount)
        return std::nullopt;
    for (int s = 0; s < squareCount; ++s) {
        const QChar c = line[pos + s];
        if (c < u'0' || c > u'9')
            return std::nullopt;
        t.states[s] = quint8(c.unicode() - u'0');
    }
    return t;
}

// Only the opening bytes decide whether the mark is there, so a large file
// of anything else is refused before it is decoded.
bool startsWithMark(const QByteArray &bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith(utf8Bom))
        view = view.sliced(utf8Bom.size());
    if (!view.startsWith("KK"))
        return false;
    view = view.sliced(2);
    return view.isEmpty() || view.startsWith("\r\n") || view.startsWith("\n");
}

void appendMemo(QStringList &out, char tag, const QStringList &lines)
{
    const QString prefix = QString(QLatin1Char(tag)) + QLatin1Char(' ');
    for (const QString &line : lines) {
        QString text = line;
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        // A line break inside a line would end the memo on reading.
        for (const QString &part : text.split(QLatin1Char('\n')))
            out << prefix + part;
    }
}

} // namespace

QByteArray writeQuiz(const QuizState &state)
{
    QStringList lines;
    lines << QStringLiteral("KK");
    for (const Thumbnail &t : state.thumbnails) {
        QString states;
        for (quint8 s : t.states)
            states += QChar(u'0' + std::min<int>(s, 9));
        lines << QStringLiteral("I %1 %2 %3 %4")
                         .arg(t.onSheet ? 1 : 0)
                         .arg(t.left)
                         .arg(t.top)
                         .arg(states);
    }
    appendMemo(lines, 'V', state.vstup);
    appendMemo(lines, 'D', state.dalsi);
    appendMemo(lines, 'E', state.dalsi2);
    return textfile::encodeText(textfile::joinLines(lines));
}

ReadResult readQuiz(const QByteArray &bytes)
{
    ReadResult result;
    if (bytes.size() > textfile::maxReadSize || !startsWithMark(bytes)) {
        result.error = ReadError::WrongFormat;
        return result;
    }
    const QStringList lines = textfile::splitLines(textfile::decodeText(bytes));
    if (lines.isEmpty() || lines[0] != QLatin1String("KK")) {
        result.error = ReadError::WrongFormat;
        return result;
    }

    qsizetype i = 1;
    // Lines before the first thumbnail line are skipped; an empty one or the
    // end of the file is a broken file.
    while (i < lines.size() && !lines[i].isEmpty() && !lines[i].startsWith(u'I'))
        ++i;
    QuizState state;
    for (int k = 0; k < thumbnailCount; ++k, ++i) {
        if (i >= lines.size() || lines[i].isEmpty()) {
            result.error = ReadError::WrongFormat;
            return result;
        }
        if (!lines[i].startsWith(u'I')) {
            result.error = ReadError::NotThumbnailLine;
            return result;
        }
        const auto thumbnail = parseThumbnail(lines[i]);
        if (!thumbnail) {
            result.error = ReadError::WrongFormat;
            return result;
        }
        state.thumbnails[k] = *thumbnail;
    }

    // Memo lines in the order V, D, E; the first line out of that order ends them.
    const char16_t tags[] = {u'V', u'D', u'E'};
    QStringList *memos[] = {&state.vstup, &state.dalsi, &state.dalsi2};
    int memo = 0;
    for (; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (line.isEmpty())
            break;
        while (memo < 3 && line[0] != tags[memo])
            ++memo;
        if (memo == 3)
            break;
        // A line the memo would split is not a line of this file.
        if (textfile::breaksLines(line)) {
            result.error = ReadError::WrongFormat;
            return result;
        }
        memos[memo]->append(line.mid(2));
    }
    result.state = state;
    return result;
}

} // namespace quiz
