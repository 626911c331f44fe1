#pragma once

#include "cutout.h"

#include <QImage>
#include <QLineF>
#include <QList>
#include <QPolygonF>
#include <QRectF>
#include <QStringList>
#include <optional>

class QPagedPaintDevice;
class QPageSize;
class QPainter;

// A cut-out net on paper, in millimetres (x right, y down).
namespace cutout {

constexpr int minEdge = 20;
constexpr int maxEdge = 65;
constexpr int defaultEdge = 50;
constexpr double pageMargin = 10;  // kept free on every side of the paper
constexpr double lineWidth = 0.3;

// Depth of a glue tab: a quarter of the edge, at most 10 mm.
double tabDepth(double edge);

struct Sheet
{
    double edge = 0;
    std::array<QRectF, faceCount> squares;  // by face slot
    std::array<int, faceCount> turns{};     // quarter turns clockwise of each picture
    QList<QLineF> folds;                    // dashed: between squares and at each tab's base
    QList<QLineF> cuts;                     // solid: outline sides without a tab, the tabs' other sides
    std::array<QPolygonF, tabCount> tabs;   // trapezoids, their base (on a square's side) first
    QRectF bounds;                          // squares and tabs with their lines
};

// Each face's square on paper (cells edge millimetres apart from (0, 0)),
// its picture's turn, the lines and the tabs.
Sheet sheet(const Layout &layout, double edge);

// The net laid as drawn or, when only that fits, a quarter turned, so that
// it fits an area of `area` millimetres; nothing when neither fits.
std::optional<Sheet> fitSheet(int net, const std::array<quint8, faceCount> &rotations,
                              double edge, QSizeF area);

// The largest whole edge up to maxEdge whose net fits the area; 0 when not
// even minEdge fits.
int largestEdge(int net, QSizeF area);

// A paper's portrait size less pageMargin on every side, in millimetres.
QSizeF printableArea(const QPageSize &paper);

// The device's printable area in millimetres.
QSizeF printableArea(const QPagedPaintDevice &device);

// Paints the sheet in its own coordinates (millimetres): tabs, the pictures
// stretched onto their squares and turned (a null picture leaves its square
// white), then the fold and cut lines.
void paint(QPainter &painter, const Sheet &sheet, const std::array<QImage, faceCount> &pictures);

// One page, 1:1, the sheet centred in the device's printable area. False
// when painting cannot begin or end.
bool print(QPagedPaintDevice &device, const Sheet &sheet,
           const std::array<QImage, faceCount> &pictures);

// The faces' full-size pictures; one that cannot be read stays null and is
// listed in `unreadable` as "slot (path)", slots counted from 1.
std::array<QImage, faceCount> readPictures(const std::array<QString, faceCount> &paths,
                                           QStringList &unreadable);

// The edge as typed: a number with a decimal comma or point, blanks around
// it; nothing unless it lies from minEdge up to `largest`.
// Net 1..netCount as a small picture of 5 x 3 cells: its squares, the
// front's shaded, centred on a transparent ground.
QImage netPicture(int net, int cellPixels);

std::optional<double> readEdge(const QString &typed, int largest);

// The cut-out dialog's choices, kept in the program's settings
// (appsettings) for the next time.
struct Choices
{
    int net = 1;
    QString edge = QString::number(defaultEdge);
    QString paper;   // QPageSize::key()
};
Choices loadChoices();
void saveChoices(const Choices &choices);

} // namespace cutout
