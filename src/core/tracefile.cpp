#include "tracefile.h"

#include <QList>

namespace tracefile {

namespace {

constexpr int lineCount = 31;
constexpr int gridLineLength = 22;     // positions read: up to 3 * 7 + 1
constexpr int historyLineLength = 12;  // positions read: 3 .. 12

bool digitAt(const QByteArray &line, int position, int &value)
{
    // Positions count from 1 as in the file's description.
    if (position > line.size())
        return false;
    const char ch = line.at(position - 1);
    if (ch < '0' || ch > '9')
        return false;
    value = ch - '0';
    return true;
}

std::optional<NetData> fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return std::nullopt;
}

} // namespace

QByteArray write(const trace::Grid &picture, const trace::History &history)
{
    QByteArray out = "KP\r\n";
    for (int c = 1; c <= trace::columns; ++c) {
        out += "Z ";
        for (int r = 1; r <= trace::rows; ++r) {
            const trace::Imprint &f = picture.at(die::field(c, r));
            out += QByteArray::number(f.face);
            out += QByteArray::number(f.rotation);
            out += ' ';
        }
        out += "\r\n";
    }
    out += QByteArray::number(history.count);
    for (int i = 0; i < trace::maxMoves; ++i) {
        if (i % 10 == 0)
            out += "\r\nK ";
        out += QByteArray::number(history.moves[i]);
    }
    out += "\r\n";
    return out;
}

std::optional<NetData> read(const QByteArray &bytes, QString *error)
{
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray &line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    // The final line end, and empty lines after the last line (a file
    // edited by hand or sent by mail gains them).
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();

    if (lines.isEmpty() || lines.first() != "KP")
        return fail(error, QStringLiteral("the first line is not \"KP\""));
    if (lines.size() != lineCount)
        return fail(error, QStringLiteral("%1 lines instead of %2").arg(lines.size()).arg(lineCount));

    NetData data;
    for (int c = 1; c <= trace::columns; ++c) {
        const QByteArray &line = lines[c];
        if (line.size() < gridLineLength)
            return fail(error, QStringLiteral("grid line %1 is too short").arg(c + 1));
        for (int r = 1; r <= trace::rows; ++r) {
            int face = 0, rotation = 0;
            if (!digitAt(line, 3 * r, face) || !digitAt(line, 3 * r + 1, rotation))
                return fail(error, QStringLiteral("line %1: not a digit").arg(c + 1));
            if (face > 6 || rotation > 3)
                return fail(error, QStringLiteral("line %1: value out of range").arg(c + 1));
            data.picture.at(die::field(c, r)) = { quint8(face), quint8(rotation) };
        }
    }

    const QByteArray &countLine = lines[15];
    if (countLine.isEmpty() || countLine.size() > 3)
        return fail(error, QStringLiteral("the move count is not a number"));
    for (char ch : countLine)
        if (ch < '0' || ch > '9')
            return fail(error, QStringLiteral("the move count is not a number"));
    const int count = countLine.toInt();
    if (count > trace::maxMoves)
        return fail(error, QStringLiteral("more than %1 moves").arg(trace::maxMoves));
    data.history.count = count;

    for (int k = 0; k < 15; ++k) {
        const QByteArray &line = lines[16 + k];
        if (line.size() < historyLineLength)
            return fail(error, QStringLiteral("history line %1 is too short").arg(17 + k));
        for (int j = 1; j <= 10; ++j) {
            int d = 0;
            if (!digitAt(line, j + 2, d))
                return fail(error, QStringLiteral("line %1: not a digit").arg(17 + k));
            const int index = 10 * k + j - 1;
            // Codes past the count are kept as they stand but must be codes.
            if (d > 4 || (index < count && d == 0))
                return fail(error, QStringLiteral("line %1: not a direction").arg(17 + k));
            data.history.moves[index] = quint8(d);
        }
    }

    die::Field f = die::startField;
    for (int i = 0; i < count; ++i) {
        f = die::vypoctisouseda(data.history.moves[i], f);
        if (!trace::onDrawnGrid(f))
            return fail(error, QStringLiteral("move %1 leaves the grid").arg(i + 1));
    }
    return data;
}

} // namespace tracefile
