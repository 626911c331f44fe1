#include "cutout.h"

#include <QList>
#include <QRect>

#include <algorithm>

namespace cutout {

namespace {

// Rows of each net, top to bottom: '#' a square, 'F' the front's square.
// 1-4-1 (six), 2-3-1 (three), the staircase and 3-3; the cross first.
const char *const netRows[netCount][3] = {
    {".#..", "#F##", ".#.."},
    {"#...", "#F##", "#..."},
    {"#...", "#F##", ".#.."},
    {"#...", "#F##", "..#."},
    {"#...", "#F##", "...#"},
    {".#..", "#F##", "..#."},
    {"##..", ".F##", ".#.."},
    {"##..", ".F##", "..#."},
    {"##..", ".F##", "...#"},
    {"##..", ".F#.", "..##"},
    {"#F#..", "..###", ""},
};

struct V3
{
    int x = 0, y = 0, z = 0;
    V3 operator-() const { return {-x, -y, -z}; }
    bool operator==(const V3 &) const = default;
};

V3 cross(V3 a, V3 b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// The model's cube: each face's outward normal and the way its picture's top
// points at rotation 0 (front, right, back, left, top, bottom).
constexpr V3 normals[faceCount] = {{0, 0, 1}, {1, 0, 0}, {0, 0, -1}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
constexpr V3 pictureUps[faceCount] = {{0, 1, 0}, {0, 1, 0}, {0, 1, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, -1}};

int faceOf(V3 normal)
{
    for (int f = 0; f < faceCount; ++f)
        if (normals[f] == normal)
            return f;
    return -1;
}

// Where a square of the folded cube lies: its outward normal and the 3D
// directions of the paper's right and up on it.
struct Frame
{
    V3 n, right, up;

    // The direction of a side as seen on the folded cube.
    V3 toward(Side side) const
    {
        switch (side) {
        case Side::Top: return up;
        case Side::Right: return right;
        case Side::Bottom: return -up;
        case Side::Left: return -right;
        }
        return n;
    }
    // The neighbour across `side`, folded away from the printed side.
    Frame across(Side side) const
    {
        switch (side) {
        case Side::Top: return {up, right, -n};
        case Side::Right: return {right, -n, up};
        case Side::Bottom: return {-up, right, n};
        case Side::Left: return {-right, n, up};
        }
        return *this;
    }
};

constexpr Side sides[4] = {Side::Top, Side::Right, Side::Bottom, Side::Left};

QPoint step(Side side)
{
    switch (side) {
    case Side::Top: return {0, -1};
    case Side::Right: return {1, 0};
    case Side::Bottom: return {0, 1};
    case Side::Left: return {-1, 0};
    }
    return {};
}

struct Cells
{
    QList<QPoint> cells;  // the front's first
    QSize grid;
};

Cells cellsOf(int net, bool turned)
{
    Cells out;
    const auto &rows = netRows[qBound(1, net, netCount) - 1];
    int columns = 0, rowCount = 0;
    for (int r = 0; r < 3; ++r) {
        const QByteArray row(rows[r]);
        if (row.isEmpty())
            continue;
        rowCount = r + 1;
        columns = std::max(columns, int(row.size()));
        for (int c = 0; c < row.size(); ++c) {
            if (row[c] == 'F')
                out.cells.prepend({c, r});
            else if (row[c] == '#')
                out.cells.append({c, r});
        }
    }
    out.grid = QSize(columns, rowCount);
    if (turned) {
        // A quarter turn clockwise: (c, r) -> (rows - 1 - r, c).
        for (QPoint &p : out.cells)
            p = QPoint(rowCount - 1 - p.y(), p.x());
        out.grid = QSize(rowCount, columns);
    }
    return out;
}

} // namespace

Layout layout(int net, const std::array<quint8, faceCount> &rotations, bool turned)
{
    const Cells shape = cellsOf(net, turned);
    const QList<QPoint> &cells = shape.cells;
    Layout out;
    out.grid = shape.grid;

    // Unfold from the front, which lies upright on the paper.
    QList<Frame> frames(cells.size());
    QList<bool> placed(cells.size(), false);
    frames[0] = {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}};
    placed[0] = true;
    QList<int> queue{0};
    int folds = 0;
    for (int q = 0; q < queue.size(); ++q) {
        const int i = queue[q];
        for (Side side : sides) {
            const int j = cells.indexOf(cells[i] + step(side));
            if (j < 0 || placed[j])
                continue;
            frames[j] = frames[i].across(side);
            placed[j] = true;
            queue << j;
            if (folds < foldCount)
                out.folds[folds++] = {cells[i], side};
        }
    }

    for (int i = 0; i < cells.size(); ++i) {
        const Frame &fr = frames[i];
        const int face = faceOf(fr.n);
        if (face < 0)
            continue;
        out.cells[face] = cells[i];
        // The picture's top after its rotation (clockwise seen from outside:
        // top -> right = top x normal), then the paper turn that shows it so.
        V3 top = pictureUps[face];
        for (int k = 0; k < (rotations[face] & 3); ++k)
            top = cross(top, normals[face]);
        for (int t = 0; t < 4; ++t)
            if (fr.toward(sides[t]) == top)
                out.turns[face] = t;
    }

    // Outline sides meet in pairs on the folded cube's edges; of each pair
    // the side whose tab stays inside the net's box gets the tab.
    const QRect box(QPoint(0, 0), out.grid);
    struct Open { Edge edge; int a, b; bool inside; };
    QList<Open> open;
    int tabs = 0;
    for (int i = 0; i < cells.size(); ++i) {
        for (Side side : sides) {
            const QPoint beyond = cells[i] + step(side);
            if (cells.contains(beyond))
                continue;
            const int a = faceOf(frames[i].n), b = faceOf(frames[i].toward(side));
            const Open here{{cells[i], side}, std::min(a, b), std::max(a, b), box.contains(beyond)};
            auto partner = std::find_if(open.begin(), open.end(), [&](const Open &o) {
                return o.a == here.a && o.b == here.b;
            });
            if (partner == open.end()) {
                open << here;
                continue;
            }
            if (tabs < tabCount) {
                const bool hereTab = here.inside && !partner->inside;
                out.tabs[tabs] = hereTab ? here.edge : partner->edge;
                out.glued[tabs] = hereTab ? partner->edge : here.edge;
                ++tabs;
            }
            open.erase(partner);
        }
    }
    return out;
}

} // namespace cutout
