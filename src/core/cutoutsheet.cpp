#include "cutoutsheet.h"

#include "appsettings.h"
#include "facetiles.h"

#include <QDir>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

#include <cmath>

namespace cutout {

namespace {

// A picture needs no more than this many dots per inch on paper; larger
// photos are scaled down before they go to the printer.
constexpr double pictureDpi = 600;
constexpr QRgb tabColour = 0xE0E0E0;

// The side of a square as a line running clockwise round it.
QLineF sideLine(QPoint cell, Side side, double edge)
{
    const QRectF r(cell.x() * edge, cell.y() * edge, edge, edge);
    switch (side) {
    case Side::Top: return {r.topLeft(), r.topRight()};
    case Side::Right: return {r.topRight(), r.bottomRight()};
    case Side::Bottom: return {r.bottomRight(), r.bottomLeft()};
    case Side::Left: return {r.bottomLeft(), r.topLeft()};
    }
    return {};
}

// A trapezoid of depth `depth` outside the side, its ends at 45 degrees.
QPolygonF tabOn(const QLineF &base, double depth)
{
    const QPointF along = (base.p2() - base.p1()) / base.length() * depth;
    const QPointF out(along.y(), -along.x());
    return QPolygonF({base.p1(), base.p2(), base.p2() + out - along, base.p1() + out + along});
}

QImage printable(const QImage &picture, double edge)
{
    const int most = int(edge / 25.4 * pictureDpi);
    const QSize size(std::min(picture.width(), most), std::min(picture.height(), most));
    if (size == picture.size())
        return picture;
    return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

double tabDepth(double edge)
{
    return std::min(edge / 4, 10.0);
}

Sheet sheet(const Layout &layout, double edge)
{
    Sheet s;
    s.edge = edge;
    s.turns = layout.turns;
    for (int f = 0; f < faceCount; ++f) {
        s.squares[f] = QRectF(layout.cells[f].x() * edge, layout.cells[f].y() * edge, edge, edge);
        s.bounds |= s.squares[f];
    }
    for (const Edge &fold : layout.folds)
        s.folds << sideLine(fold.cell, fold.side, edge);
    const double depth = tabDepth(edge);
    for (int i = 0; i < tabCount; ++i) {
        const QLineF base = sideLine(layout.tabs[i].cell, layout.tabs[i].side, edge);
        s.tabs[i] = tabOn(base, depth);
        s.folds << base;
        for (int k = 1; k < 4; ++k)
            s.cuts << QLineF(s.tabs[i][k], s.tabs[i][(k + 1) % 4]);
        s.cuts << sideLine(layout.glued[i].cell, layout.glued[i].side, edge);
        s.bounds |= s.tabs[i].boundingRect();
    }
    const double half = lineWidth / 2;
    s.bounds.adjust(-half, -half, half, half);
    return s;
}

std::optional<Sheet> fitSheet(int net, const std::array<quint8, faceCount> &rotations,
                              double edge, QSizeF area)
{
    for (bool turned : {false, true}) {
        Sheet s = sheet(layout(net, rotations, turned), edge);
        if (s.bounds.width() <= area.width() && s.bounds.height() <= area.height())
            return s;
    }
    return std::nullopt;
}

int largestEdge(int net, QSizeF area)
{
    for (int edge = maxEdge; edge >= minEdge; --edge)
        if (fitSheet(net, {}, edge, area))
            return edge;
    return 0;
}

QSizeF printableArea(const QPageSize &paper)
{
    return paper.size(QPageSize::Millimeter) - QSizeF(2 * pageMargin, 2 * pageMargin);
}

QSizeF printableArea(const QPagedPaintDevice &device)
{
    return device.pageLayout().paintRect(QPageLayout::Millimeter).size();
}

void paint(QPainter &painter, const Sheet &sheet, const std::array<QImage, faceCount> &pictures)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // A PDF keeps the pictures as they are (Flate), not JPEG-compressed.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(tabColour));
    for (const QPolygonF &tab : sheet.tabs)
        painter.drawPolygon(tab);

    const double e = sheet.edge;
    for (int f = 0; f < faceCount; ++f) {
        if (pictures[f].isNull())
            continue;
        painter.save();
        painter.translate(sheet.squares[f].center());
        painter.rotate(90.0 * sheet.turns[f]);
        painter.drawImage(QRectF(-e / 2, -e / 2, e, e), printable(pictures[f], e));
        painter.restore();
    }

    QPen pen(Qt::black, lineWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(pen);
    painter.drawLines(sheet.cuts);
    // Dashes of 3 mm with gaps of 2 mm (the pattern counts in line widths).
    pen.setDashPattern({3 / lineWidth, 2 / lineWidth});
    painter.setPen(pen);
    painter.drawLines(sheet.folds);
    painter.restore();
}

bool print(QPagedPaintDevice &device, const Sheet &sheet,
           const std::array<QImage, faceCount> &pictures)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // Device pixels per millimetre; the origin is the printable area's corner.
    painter.scale(device.logicalDpiX() / 25.4, device.logicalDpiY() / 25.4);
    const QSizeF area = printableArea(device);
    painter.translate(QPointF((area.width() - sheet.bounds.width()) / 2,
                              (area.height() - sheet.bounds.height()) / 2)
                      - sheet.bounds.topLeft());
    paint(painter, sheet, pictures);
    return painter.end();
}

std::array<QImage, faceCount> readPictures(const std::array<QString, faceCount> &paths,
                                           QStringList &unreadable)
{
    std::array<QImage, faceCount> pictures;
    for (int f = 0; f < faceCount; ++f) {
        pictures[f] = facetiles::readPictureFile(paths[f]);
        if (pictures[f].isNull())
            unreadable << QStringLiteral("%1 (%2)").arg(f + 1).arg(QDir::toNativeSeparators(paths[f]));
    }
    return pictures;
}

std::optional<double> readEdge(const QString &typed, int largest)
{
    QString number = typed.trimmed();
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double edge = number.toDouble(&ok);
    if (!ok || !std::isfinite(edge) || edge < minEdge || edge > largest)
        return std::nullopt;
    return edge;
}

Choices loadChoices()
{
    const appsettings::Settings s = appsettings::read();
    Choices c;
    const int net = s.value(QStringLiteral("vystrihovanka/sit"), 1).toInt();
    c.net = net >= 1 && net <= netCount ? net : 1;
    c.edge = s.value(QStringLiteral("vystrihovanka/hrana"), c.edge).toString();
    c.paper = s.value(QStringLiteral("vystrihovanka/papir")).toString();
    return c;
}

void saveChoices(const Choices &choices)
{
    // Settings are a convenience: one that cannot be kept is not reported.
    appsettings::write({{QStringLiteral("vystrihovanka/sit"), choices.net},
                        {QStringLiteral("vystrihovanka/hrana"), choices.edge},
                        {QStringLiteral("vystrihovanka/papir"), choices.paper}});
}

QImage netPicture(int net, int cellPixels)
{
    const Layout layout = cutout::layout(net, {});
    QImage image(5 * cellPixels + 1, 3 * cellPixels + 1, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    const QPoint offset((image.width() - layout.grid.width() * cellPixels) / 2,
                        (image.height() - layout.grid.height() * cellPixels) / 2);
    p.setPen(Qt::black);
    for (int f = 0; f < faceCount; ++f) {
        p.setBrush(f == 0 ? QColor(0xA0, 0xC8, 0xF0) : QColor(Qt::white));
        p.drawRect(QRect(offset + layout.cells[f] * cellPixels, QSize(cellPixels, cellPixels)));
    }
    return image;
}

} // namespace cutout
