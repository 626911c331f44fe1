#pragma once

#include <QPoint>
#include <QSize>
#include <QtGlobal>
#include <array>

// The eleven nets of the cube as cut-out sheets: which face lies on which
// square, how its picture is turned on the paper, which sides are folds and
// which carry a glue tab. Folded with the printed side outwards, the paper
// cube shows every picture where and as the VRML model shows it.
namespace cutout {

constexpr int netCount = 11;
constexpr int faceCount = 6;
constexpr int foldCount = 5;
constexpr int tabCount = 7;

// Sides of a square on the paper, clockwise.
enum class Side { Top, Right, Bottom, Left };

// One side of a net square; cells are in grid units, column right, row down.
struct Edge
{
    QPoint cell;
    Side side = Side::Top;
};

struct Layout
{
    QSize grid;                          // columns x rows of the net
    std::array<QPoint, faceCount> cells; // by face slot (front, right, back, left, top, bottom)
    std::array<int, faceCount> turns{};  // picture turns on paper, quarter turns clockwise
    std::array<Edge, foldCount> folds;   // sides shared by two squares
    std::array<Edge, tabCount> tabs;     // sides that carry a tab ...
    std::array<Edge, tabCount> glued;    // ... and the side each tab is glued under
};

// Net 1..netCount (1 is the cross) for the face set's rotations (only the
// remainder modulo 4 counts). `turned` lays the net a quarter turn clockwise
// on the paper.
Layout layout(int net, const std::array<quint8, faceCount> &rotations, bool turned = false);

} // namespace cutout
