#include "tilecheck.h"

#include "netgeometry.h"

#include <QStringList>
#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace tilecheck {

namespace {

constexpr int size = net::tileSize;
constexpr int last = size - 1;
using Pixels = std::array<QRgb, size * size>;

Pixels pixelsOf(const QImage &tile)
{
    Pixels p;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            p[y * size + x] = tile.valid(x, y) ? tile.pixel(x, y) : QRgb(0xFFFFFFFF);
    return p;
}

// The tile as it lies in one of eight ways: `turn` quarter turns clockwise
// (as a net square draws it), of the mirrored tile when `mirror` is set.
Pixels laid(const Pixels &p, int turn, bool mirror)
{
    Pixels out;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            int a = x, b = y;   // the source pixel of the turned tile
            switch (turn & 3) {
            case 1: a = y; b = last - x; break;
            case 2: a = last - x; b = last - y; break;
            case 3: a = last - y; b = x; break;
            default: break;
            }
            if (mirror)
                a = last - a;
            out[y * size + x] = p[b * size + a];
        }
    return out;
}

// Alike with b shifted by (sx, sy): a(x, y) against b(x + sx, y + sy), a
// pixel without a partner differing by 0.
bool alikeShifted(const Pixels &a, const Pixels &b, int sx, int sy)
{
    // Signed differences per channel; averaging them is averaging the tiles.
    std::array<std::array<int, 3>, size * size> d{};
    for (int y = std::max(0, -sy); y <= std::min(last, last - sy); ++y)
        for (int x = std::max(0, -sx); x <= std::min(last, last - sx); ++x) {
            const QRgb p = a[y * size + x], q = b[(y + sy) * size + x + sx];
            d[y * size + x] = {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)};
        }
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int v = std::max(0, y - 1); v <= std::min(last, y + 1); ++v)
                    for (int u = std::max(0, x - 1); u <= std::min(last, x + 1); ++u)
                        sum += d[v * size + u][c];
                if (std::abs(sum) > 9 * colourTolerance)
                    return false;
            }
    return true;
}

bool alike(const Pixels &a, const Pixels &b)
{
    for (int sy = -1; sy <= 1; ++sy)
        for (int sx = -1; sx <= 1; ++sx)
            if (alikeShifted(a, b, sx, sy))
                return true;
    return false;
}

QString faceList(const QList<int> &faces)
{
    QStringList numbers;
    for (int f : faces)
        numbers << QString::number(f);
    return numbers.join(QStringLiteral(", "));
}

// A line pattern with the faces put in; a pattern without %1 stays as it is.
QString line(const QString &one, const QString &many, const QList<int> &faces)
{
    return QString(faces.size() == 1 ? one : many).replace(QStringLiteral("%1"), faceList(faces));
}

} // namespace

bool looksAlike(const QImage &a, const QImage &b)
{
    return alike(pixelsOf(a), pixelsOf(b));
}

Findings check(const Tiles &tiles, Sheet sheet)
{
    const bool trace = sheet == Sheet::Trace;
    std::array<Pixels, faceset::slotCount> p;
    for (int i = 0; i < faceset::slotCount; ++i)
        p[i] = pixelsOf(tiles[i]);

    Findings found;
    for (int i = 0; i < faceset::slotCount; ++i) {
        // Alike after a quarter turn is alike after three quarters too.
        if (alike(p[i], laid(p[i], 1, false)) || alike(p[i], laid(p[i], 2, false)))
            found.turned << i + 1;
        if (trace)
            for (int turn = 0; turn < 4; ++turn)
                if (alike(p[i], laid(p[i], turn, true))) {
                    found.mirrored << i + 1;
                    break;
                }
    }

    // Alike pairs joined into groups, each led by its lowest face.
    std::array<int, faceset::slotCount> group;
    std::iota(group.begin(), group.end(), 0);
    for (int j = 1; j < faceset::slotCount; ++j)
        for (int i = 0; i < j; ++i)
            for (int way = 0; way < (trace ? 8 : 4) && group[i] != group[j]; ++way)
                if (alike(p[i], laid(p[j], way & 3, way >= 4))) {
                    const int from = std::max(group[i], group[j]);
                    const int to = std::min(group[i], group[j]);
                    for (int &g : group)
                        if (g == from)
                            g = to;
                }
    for (int lead = 0; lead < faceset::slotCount; ++lead) {
        QList<int> members;
        for (int k = 0; k < faceset::slotCount; ++k)
            if (group[k] == lead)
                members << k + 1;
        if (members.size() > 1)
            found.alike << members;
    }
    return found;
}

Texts texts(const LanguageTexts &l)
{
    return {l.text(Text::TileTurnsOne), l.text(Text::TileTurnsMany), l.text(Text::TileMirrorOne),
            l.text(Text::TileMirrorMany), l.text(Text::TileAlike)};
}

QString message(const Findings &findings, const Texts &texts)
{
    QStringList lines;
    if (!findings.turned.isEmpty())
        lines << line(texts.turnedOne, texts.turnedMany, findings.turned);
    if (!findings.mirrored.isEmpty())
        lines << line(texts.mirroredOne, texts.mirroredMany, findings.mirrored);
    for (const QList<int> &faces : findings.alike)
        lines << line(texts.alike, texts.alike, faces);
    return lines.join(QLatin1Char('\n'));
}

QString Warning::take(const Tiles &tiles, const Texts &texts)
{
    if (tiles == m_checked)
        return QString();
    m_checked = tiles;
    return message(check(tiles, m_sheet), texts);
}

} // namespace tilecheck
