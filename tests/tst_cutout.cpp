#include "cutoutprinting.h"
#include "cutoutsheet.h"
#include "model.h"
#include "testapp.h"
#include "vystrihovanka.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QToolButton>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <set>

using cutout::faceCount;

namespace {

struct V
{
    double x = 0, y = 0, z = 0;
    V operator+(V o) const { return {x + o.x, y + o.y, z + o.z}; }
    V operator-(V o) const { return {x - o.x, y - o.y, z - o.z}; }
    V operator*(double k) const { return {x * k, y * k, z * k}; }
    double dot(V o) const { return x * o.x + y * o.y + z * o.z; }
    V cross(V o) const { return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x}; }
    bool near(V o, double tolerance = 1e-6) const
    {
        return std::abs(x - o.x) < tolerance && std::abs(y - o.y) < tolerance
                && std::abs(z - o.z) < tolerance;
    }
};

// A face of the model's little cube: its corners in the order of the
// texture points (0 0, 1 0, 1 1, 0 1), read from the template.
using ModelFace = std::array<V, 4>;

QList<double> numbers(const QString &text)
{
    QList<double> out;
    static const QRegularExpression number(QStringLiteral("-?\\d+(\\.\\d+)?"));
    for (auto it = number.globalMatch(text); it.hasNext();)
        out << it.next().captured().toDouble();
    return out;
}

qsizetype find(const QStringList &lines, const QString &text, qsizetype from)
{
    while (from < lines.size() && !lines[from].contains(text))
        ++from;
    if (from == lines.size())
        qFatal("%s is not in the template", qPrintable(text));
    return from;
}

std::array<ModelFace, faceCount> modelFaces()
{
    const QStringList lines = model::builtinTemplate();
    qsizetype at = find(lines, QStringLiteral("PROTO Krychlicka"), 0);
    at = find(lines, QStringLiteral("MFVec3f body ["), at);
    QString body;
    while (!lines[++at].trimmed().startsWith(QLatin1Char(']')))
        body += lines[at] + QLatin1Char(' ');
    const QList<double> p = numbers(body);
    std::array<ModelFace, faceCount> faces;
    for (int k = 0; k < faceCount; ++k) {
        at = find(lines, QStringLiteral("DEF I%1 ImageTexture").arg(k), at);
        const qsizetype coords = find(lines, QStringLiteral("coordIndex ["), at);
        const QList<double> index = numbers(lines[coords]);
        if (!lines[coords + 2].contains(QLatin1String("point [0 0, 1 0, 1 1, 0 1]"))
            || !lines[coords + 4].contains(QLatin1String("texCoordIndex [0 1 2 3 -1]")))
            qFatal("unexpected texture coordinates of face %d", k);
        for (int c = 0; c < 4; ++c) {
            const int i = int(index[c]);
            faces[k][c] = {p[3 * i], p[3 * i + 1], p[3 * i + 2]};
        }
    }
    return faces;
}

// Where the model shows point (s, t) of face k's picture (s right, t up),
// turned by `rotation`: the texture transform turns the texture coordinates
// by rotation x 1.57 radians about 0 0, and the texture repeats.
V modelPoint(const ModelFace &face, double s, double t, int rotation)
{
    const double a = -rotation * 1.57;
    double u = s * std::cos(a) - t * std::sin(a);
    double v = s * std::sin(a) + t * std::cos(a);
    u -= std::floor(u);
    v -= std::floor(v);
    return face[0] + (face[1] - face[0]) * u + (face[3] - face[0]) * v;
}

// Point (s, t) of a picture drawn on a square turned `turn` quarter turns
// clockwise, in paper millimetres (y down).
QPointF paperPoint(const QRectF &square, double s, double t, int turn)
{
    double u = s, w = 1 - t;
    for (int k = 0; k < turn; ++k)
        std::tie(u, w) = std::make_pair(1 - w, u);
    return square.topLeft() + QPointF(u, w) * square.width();
}

// Folds the paper: squares sharing a side are hinged there, and every
// square is turned a quarter about its hinges, away from the printed side,
// from its own hinge back to face 0's square, which stays. Paper (x, y)
// lies at (x, -y, 0) scaled to 2 units a square, printed side towards +z;
// then the cube is turned `quarter` times about z and face 0 moved to z = 1.
struct Fold
{
    std::array<QList<std::pair<V, V>>, faceCount> hinges;  // point, axis; own hinge first
    V centre0;
    double scale = 1;
    int quarter = 0;

    explicit Fold(const cutout::Sheet &sheet)
    {
        scale = 2 / sheet.edge;
        auto centre = [&](int f) { return flat(sheet.squares[f].center()); };
        std::array<int, faceCount> parent;
        parent.fill(-1);
        QList<int> queue{0};
        parent[0] = 0;
        for (int q = 0; q < queue.size(); ++q)
            for (int f = 0; f < faceCount; ++f)
                if (parent[f] < 0 && std::abs((centre(f) - centre(queue[q])).dot(centre(f) - centre(queue[q])) - 4) < 1e-9) {
                    parent[f] = queue[q];
                    queue << f;
                }
        for (int f = 0; f < faceCount; ++f)
            for (int c = f; c != 0 && parent[c] >= 0; c = parent[c]) {
                const V out = (centre(c) - centre(parent[c])) * 0.5;
                hinges[f] << std::make_pair(centre(parent[c]) + out, out.cross({0, 0, -1}));
            }
        centre0 = centre(0);
    }
    V flat(QPointF p) const { return {p.x() * scale, -p.y() * scale, 0}; }
    bool connected() const
    {
        return std::all_of(hinges.begin() + 1, hinges.end(), [](const auto &h) { return !h.isEmpty(); });
    }
    V operator()(int face, QPointF paper) const
    {
        V p = flat(paper);
        for (const auto &[at, axis] : hinges[face]) {
            const V r = p - at;  // a quarter turn about the axis (unit, through `at`)
            p = at + axis.cross(r) + axis * axis.dot(r);
        }
        p = p - centre0;
        for (int k = 0; k < quarter; ++k)
            p = {-p.y, p.x, p.z};
        return p + V{0, 0, 1};
    }
};

double area(const QPolygonF &polygon)
{
    double sum = 0;
    for (int i = 0; i < polygon.size(); ++i) {
        const QPointF a = polygon[i], b = polygon[(i + 1) % polygon.size()];
        sum += a.x() * b.y() - b.x() * a.y();
    }
    return std::abs(sum) / 2;
}

bool sameLine(const QLineF &a, const QLineF &b)
{
    auto eq = [](QPointF p, QPointF q) { return QLineF(p, q).length() < 1e-9; };
    return (eq(a.p1(), b.p1()) && eq(a.p2(), b.p2())) || (eq(a.p1(), b.p2()) && eq(a.p2(), b.p1()));
}

// The net's squares as grid cells in a form that is the same for every
// turn and mirror image of the net.
QList<QPoint> canonical(const cutout::Sheet &sheet)
{
    QList<QList<QPoint>> forms;
    for (int m = 0; m < 8; ++m) {
        QList<QPoint> cells;
        for (const QRectF &s : sheet.squares) {
            int x = qRound(s.x() / sheet.edge), y = qRound(s.y() / sheet.edge);
            for (int k = 0; k < m % 4; ++k)
                std::tie(x, y) = std::make_pair(-y, x);
            cells << QPoint(m < 4 ? x : -x, y);
        }
        const int left = std::min_element(cells.begin(), cells.end(), [](QPoint a, QPoint b) { return a.x() < b.x(); })->x();
        const int top = std::min_element(cells.begin(), cells.end(), [](QPoint a, QPoint b) { return a.y() < b.y(); })->y();
        for (QPoint &c : cells)
            c -= QPoint(left, top);
        std::sort(cells.begin(), cells.end(), [](QPoint a, QPoint b) { return std::pair(a.y(), a.x()) < std::pair(b.y(), b.x()); });
        forms << cells;
    }
    return *std::min_element(forms.begin(), forms.end(), [](const QList<QPoint> &a, const QList<QPoint> &b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](QPoint p, QPoint q) {
            return std::pair(p.y(), p.x()) < std::pair(q.y(), q.x());
        });
    });
}

constexpr QRgb colours[faceCount] = {0xC00000, 0x00A000, 0x0000C0, 0xE08000, 0x8000A0, 0x008080};

bool close(QRgb a, QRgb b, int tolerance = 40)
{
    return std::abs(qRed(a) - qRed(b)) < tolerance && std::abs(qGreen(a) - qGreen(b)) < tolerance
            && std::abs(qBlue(a) - qBlue(b)) < tolerance;
}

// Six pictures, one colour each with a white top left quarter.
QStringList writePictures(const QString &folder)
{
    QStringList files;
    for (int f = 0; f < faceCount; ++f) {
        QImage image(600, 400, QImage::Format_RGB32);
        image.fill(colours[f]);
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x)
                image.setPixel(x, y, 0xFFFFFFFF);
        files << QDir(folder).filePath(QStringLiteral("%1.png").arg(f));
        image.save(files.last());
    }
    return files;
}

// A reply to the cut-out dialog: picks the net, types the edge, picks the
// paper and presses OK; accepted when the dialog closed.
std::function<bool(QDialog *)> choose(int net, const QString &edge, const QString &paper)
{
    return [=](QDialog *d) {
        d->show();
        d->findChild<QToolButton *>(QStringLiteral("sit%1").arg(net))->click();
        d->findChild<QLineEdit *>(QStringLiteral("hrana"))->setText(edge);
        auto *papir = d->findChild<QComboBox *>(QStringLiteral("papir"));
        papir->setCurrentIndex(papir->findText(paper));
        d->findChild<QPushButton *>(QStringLiteral("OK"))->click();
        const bool accepted = !d->isVisible();
        d->hide();
        return accepted;
    };
}

QImage rasterise(const QString &pdf, int dpi)
{
    const QString prefix = pdf + QStringLiteral("-page");
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi),
                                                QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                                pdf, prefix});
    if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0)
        return {};
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// The boxes of the 4-connected areas of pixels close to `colour` that hold
// at least `minimum` pixels, and their pixel counts.
QList<QRect> areas(const QImage &image, QRgb colour, int minimum, QList<int> *sizes)
{
    QList<QRect> boxes;
    QList<bool> seen(qsizetype(image.width()) * image.height(), false);
    for (int y0 = 0; y0 < image.height(); ++y0)
        for (int x0 = 0; x0 < image.width(); ++x0) {
            if (seen[y0 * image.width() + x0] || !close(image.pixel(x0, y0), colour, 12))
                continue;
            QRect box;
            int size = 0;
            QList<QPoint> stack{{x0, y0}};
            seen[y0 * image.width() + x0] = true;
            while (!stack.isEmpty()) {
                const QPoint p = stack.takeLast();
                box |= QRect(p, QSize(1, 1));
                ++size;
                for (QPoint n : {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)})
                    if (image.rect().contains(n) && !seen[n.y() * image.width() + n.x()]
                        && close(image.pixel(n), colour, 12)) {
                        seen[n.y() * image.width() + n.x()] = true;
                        stack << n;
                    }
            }
            if (size >= minimum) {
                boxes << box;
                *sizes << size;
            }
        }
    return boxes;
}

} // namespace

class tst_Cutout : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings(QStringLiteral("vemtal"), QStringLiteral("vemtal")).clear();
    }

    void foldsOntoTheModel_data()
    {
        QTest::addColumn<int>("net");
        QTest::addColumn<bool>("turned");
        for (int net = 1; net <= cutout::netCount; ++net)
            for (bool turned : {false, true})
                QTest::addRow("net %d%s", net, turned ? " turned" : "") << net << turned;
    }
    // Every face set rotation: folded with the printed side outwards, each
    // picture lies on its face of the model, turned as the model turns it.
    void foldsOntoTheModel()
    {
        QFETCH(int, net);
        QFETCH(bool, turned);
        static const std::array<ModelFace, faceCount> model = modelFaces();
        const double points[2][2] = {{0.25, 0.75}, {0.8, 0.6}};
        for (int combination = 0; combination < 4096; ++combination) {
            std::array<quint8, faceCount> rotations;
            for (int f = 0; f < faceCount; ++f)
                rotations[f] = quint8((combination >> (2 * f)) & 3);
            const cutout::Sheet sheet = cutout::sheet(cutout::layout(net, rotations, turned), 40);
            Fold fold(sheet);
            QVERIFY(fold.connected());
            auto lands = [&] {
                for (int f = 0; f < faceCount; ++f) {
                    const QRectF &sq = sheet.squares[f];
                    for (QPointF corner : {sq.topLeft(), sq.topRight(), sq.bottomLeft(), sq.bottomRight()}) {
                        const V p = fold(f, corner);
                        if (std::none_of(model[f].begin(), model[f].end(), [&](V m) { return m.near(p); }))
                            return false;
                    }
                    for (const auto &pt : points)
                        if (!fold(f, paperPoint(sq, pt[0], pt[1], sheet.turns[f]))
                                     .near(modelPoint(model[f], pt[0], pt[1], rotations[f]), 0.01))
                            return false;
                }
                return true;
            };
            bool ok = false;
            for (fold.quarter = 0; fold.quarter < 4 && !ok; ++fold.quarter)
                ok = lands();
            QVERIFY2(ok, qPrintable(QStringLiteral("rotations %1").arg(combination, 4, 4, QLatin1Char('0'))));
        }
    }

    // Folds between the squares, and of the fourteen outline sides seven
    // carry a tab that folds onto the other seven, one on every open edge.
    void linesAndTabs_data() { foldsOntoTheModel_data(); }
    void linesAndTabs()
    {
        QFETCH(int, net);
        QFETCH(bool, turned);
        const cutout::Sheet sheet = cutout::sheet(cutout::layout(net, {}, turned), 50);
        Fold fold(sheet);
        QList<QLineF> shared;
        QList<std::pair<int, QLineF>> outline;
        for (int f = 0; f < faceCount; ++f) {
            const QRectF &sq = sheet.squares[f];
            const QLineF sides[4] = {{sq.topLeft(), sq.topRight()}, {sq.topRight(), sq.bottomRight()},
                                     {sq.bottomRight(), sq.bottomLeft()}, {sq.bottomLeft(), sq.topLeft()}};
            for (const QLineF &side : sides) {
                auto other = std::find_if(outline.begin(), outline.end(), [&](const auto &o) { return sameLine(o.second, side); });
                if (other != outline.end()) {
                    shared << side;
                    outline.erase(other);
                } else {
                    outline << std::make_pair(f, side);
                }
            }
        }
        QCOMPARE(shared.size(), cutout::foldCount);
        QCOMPARE(outline.size(), 2 * cutout::tabCount);
        QCOMPARE(sheet.folds.size(), cutout::foldCount + cutout::tabCount);
        for (const QLineF &s : shared)
            QCOMPARE(int(std::count_if(sheet.folds.begin(), sheet.folds.end(), [&](const QLineF &l) { return sameLine(l, s); })), 1);

        // Every outline side is either a tab's base (dashed) or cut (solid).
        int tabbed = 0;
        for (const auto &[face, side] : outline) {
            const bool base = std::any_of(sheet.tabs.begin(), sheet.tabs.end(), [&](const QPolygonF &t) {
                return sameLine(QLineF(t[0], t[1]), side);
            });
            const bool cut = std::any_of(sheet.cuts.begin(), sheet.cuts.end(), [&](const QLineF &l) { return sameLine(l, side); });
            QVERIFY(base != cut);
            QCOMPARE(base, std::any_of(sheet.folds.begin(), sheet.folds.end(), [&](const QLineF &l) { return sameLine(l, side); }));
            tabbed += base;
            // Its partner: the one other side on the same edge of the cube.
            fold.quarter = 0;
            const V a = fold(face, side.p1()), b = fold(face, side.p2());
            int partners = 0, partnerTabs = 0;
            for (const auto &[f2, s2] : outline) {
                const V c = fold(f2, s2.p1()), d = fold(f2, s2.p2());
                if (&s2 != &side && ((a.near(c) && b.near(d)) || (a.near(d) && b.near(c)))) {
                    ++partners;
                    partnerTabs += std::any_of(sheet.tabs.begin(), sheet.tabs.end(), [&](const QPolygonF &t) {
                        return sameLine(QLineF(t[0], t[1]), s2);
                    });
                }
            }
            QCOMPARE(partners, 1);
            QCOMPARE(partnerTabs + int(base), 1);
        }
        QCOMPARE(tabbed, cutout::tabCount);

        // Tabs are trapezoids outside the squares and apart from each other.
        for (int i = 0; i < cutout::tabCount; ++i) {
            const QPolygonF &t = sheet.tabs[i];
            QCOMPARE(t.size(), 4);
            QVERIFY(std::abs(QLineF(t[0], t[1]).length() - 50) < 1e-9);
            QVERIFY(area(t) > 0);
            for (const QRectF &sq : sheet.squares)
                QVERIFY(area(t.intersected(QPolygonF(sq))) < 1e-9);
            for (int j = i + 1; j < cutout::tabCount; ++j)
                QVERIFY(area(t.intersected(sheet.tabs[j])) < 1e-9);
            QVERIFY(sheet.bounds.contains(t.boundingRect()));
        }
    }

    void elevenDistinctNets()
    {
        std::set<QList<QPoint>, bool (*)(const QList<QPoint> &, const QList<QPoint> &)> forms(
                [](const QList<QPoint> &a, const QList<QPoint> &b) {
                    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](QPoint p, QPoint q) {
                        return std::pair(p.y(), p.x()) < std::pair(q.y(), q.x());
                    });
                });
        for (int net = 1; net <= cutout::netCount; ++net)
            for (bool turned : {false, true})
                forms.insert(canonical(cutout::sheet(cutout::layout(net, {}, turned), 1)));
        QCOMPARE(int(forms.size()), cutout::netCount);
        // The first is the cross: a row of four with one square above and
        // one below the second.
        const cutout::Sheet cross = cutout::sheet(cutout::layout(1, {}), 1);
        QCOMPARE(canonical(cross), (QList<QPoint>{{1, 0}, {0, 1}, {1, 1}, {2, 1}, {3, 1}, {1, 2}}));
    }

    // Printed into a PDF at 254 dots per inch (10 dots a millimetre): the
    // squares lie on a 50 mm grid, each picture turned as its square says,
    // and seven grey tabs of 50 x 10 mm.
    void printsTrueSize()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            QSKIP("pdftoppm (poppler-utils) is not installed");
        TestApp app;
        app.form1->openArguments(writePictures(app.dir.path()));
        const std::array<quint8, faceCount> rotations = {0, 1, 2, 3, 1, 2};
        for (int f = 0; f < faceCount; ++f)
            app.form1->findChild<QLineEdit *>(QStringLiteral("Ed%1").arg(f))->setText(QString::number(rotations[f]));
        QPrinter *printer = app.cutout->printer();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(app.path(QStringLiteral("net.pdf")));
        app.dialogs.modals.enqueue(choose(1, QStringLiteral("50"), QStringLiteral("A4")));
        app.dialogs.prints.enqueue({true, false});
        app.item("Vystrihovanka1")->trigger();
        QCOMPARE(app.dialogs.texts("message"), QStringList());
        QCOMPARE(app.dialogs.texts("print").size(), 1);

        const QImage page = rasterise(app.path(QStringLiteral("net.pdf")), 254);
        QVERIFY(std::abs(page.width() - 2100) <= 1 && std::abs(page.height() - 2970) <= 1);
        const auto sheet = cutout::fitSheet(1, rotations, 50, cutout::printableArea(*printer));
        QVERIFY(sheet);
        // Each square's four lines, found to a fraction of a dot: the centre
        // of the dark dots across the line, over the middle of the side (the
        // rasteriser may set a turned picture a dot off; lines are exact).
        auto lineAt = [&](bool vertical, double at, int from, int to) {
            double weight = 0, sum = 0;
            for (int d = -5; d <= 5; ++d)
                for (int k = from; k < to; ++k) {
                    const QRgb p = vertical ? page.pixel(qRound(at) + d, k) : page.pixel(k, qRound(at) + d);
                    const double w = std::max(0, 100 - std::max({qRed(p), qGreen(p), qBlue(p)}));
                    weight += w;
                    sum += w * (qRound(at) + d);
                }
            return weight > 0 ? sum / weight : -1e9;
        };
        QList<double> edges;
        std::array<QPointF, faceCount> corners;
        for (int f = 0; f < faceCount; ++f) {
            QList<int> sizes;
            const QList<QRect> found = areas(page, colours[f], 10000, &sizes);
            QCOMPARE(found.size(), 1);
            const QRect box = found.first();
            QVERIFY2(std::abs(box.width() - 500) <= 5 && std::abs(box.height() - 500) <= 5,
                     qPrintable(QStringLiteral("face %1: %2 x %3").arg(f).arg(box.width()).arg(box.height())));
            // The white quarter: top left, top right, bottom right, bottom left for turns 0..3.
            const QPoint quarter[4] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
            const QPoint q = quarter[sheet->turns[f]];
            QVERIFY(close(page.pixel(box.center() + q * 125), 0xFFFFFF));
            QVERIFY(close(page.pixel(box.center() - q * 125), colours[f]));
            const double left = lineAt(true, box.left(), box.top() + 100, box.bottom() - 100);
            const double right = lineAt(true, box.right() + 1, box.top() + 100, box.bottom() - 100);
            const double top = lineAt(false, box.top(), box.left() + 100, box.right() - 100);
            const double bottom = lineAt(false, box.bottom() + 1, box.left() + 100, box.right() - 100);
            edges << (right - left) / 10 << (bottom - top) / 10;  // millimetres
            corners[f] = QPointF(left, top) / 10;
        }
        double sum = 0;
        for (double e : edges) {
            QVERIFY2(std::abs(e - 50) < 0.1, qPrintable(QString::number(e)));
            sum += e;
        }
        qInfo("edge measured in the PDF: %.3f mm (mean of %d sides, %.3f to %.3f)", sum / edges.size(),
              int(edges.size()), *std::min_element(edges.begin(), edges.end()),
              *std::max_element(edges.begin(), edges.end()));
        // The squares lie on a 50 mm grid.
        for (QPointF c : corners) {
            const QPointF d = c - corners[0];
            QVERIFY(std::abs(d.x() - 50 * qRound(d.x() / 50)) < 0.1);
            QVERIFY(std::abs(d.y() - 50 * qRound(d.y() / 50)) < 0.1);
        }

        // Seven grey trapezoids, 50 mm long at the base and 10 mm deep, less
        // their lines (0.3 mm; the slanted ones cut the corners).
        QList<int> sizes;
        const QList<QRect> tabs = areas(page, 0xE0E0E0, 5000, &sizes);
        QCOMPARE(tabs.size(), cutout::tabCount);
        for (int i = 0; i < tabs.size(); ++i) {
            const int along = std::max(tabs[i].width(), tabs[i].height());
            const int across = std::min(tabs[i].width(), tabs[i].height());
            QVERIFY2(along >= 485 && along <= 500 && across >= 94 && across <= 100,
                     qPrintable(QStringLiteral("tab %1 x %2").arg(along).arg(across)));
            // (50 + 30) / 2 x 10 mm = 400 square millimetres.
            QVERIFY2(sizes[i] > 36000 && sizes[i] < 40000, qPrintable(QString::number(sizes[i])));
        }
    }

    // A wrong edge is refused with a message and prints nothing; the
    // choices accepted are kept; no pictures or unreadable ones are told.
    void refusesAndKeeps()
    {
        TestApp app;
        app.item("Vystrihovanka1")->trigger();
        QCOMPARE(app.dialogs.texts("message"), QStringList(QStringLiteral("Vyberte textury.")));
        app.dialogs.calls.clear();

        QStringList files = writePictures(app.dir.path());
        app.form1->openArguments(files);
        const QString range = QStringLiteral("Délka hrany musí být číslo od 20 do ");
        // 3-3 needs five edges in a row: 5 x 60 mm is more than A4's 277.
        for (const QString &edge : {QStringLiteral("abc"), QStringLiteral("19"), QStringLiteral("60"), QString()}) {
            app.dialogs.modals.enqueue(choose(11, edge, QStringLiteral("A4")));
            app.item("Vystrihovanka1")->trigger();
            QCOMPARE(app.dialogs.texts("message").size(), 1);
            QVERIFY(app.dialogs.texts("message").first().startsWith(range));
            QVERIFY(app.dialogs.texts("print").isEmpty());
            app.dialogs.calls.clear();
        }
        // On A3 it fits; the print dialog is cancelled.
        app.dialogs.modals.enqueue(choose(11, QStringLiteral("60"), QStringLiteral("A3")));
        app.item("Vystrihovanka1")->trigger();
        QCOMPARE(app.dialogs.texts("print").size(), 1);
        QCOMPARE(app.cutout->printer()->pageLayout().pageSize().id(), QPageSize::A3);
        TVystrihovanka next(app.context);
        QCOMPARE(next.net(), 11);
        QCOMPARE(next.findChild<QLineEdit *>(QStringLiteral("hrana"))->text(), QStringLiteral("60"));
        QCOMPARE(next.paper(), QPageSize::A3);
        app.dialogs.calls.clear();

        QFile::remove(files[2]);
        QFile(files[4]).open(QIODevice::WriteOnly);
        app.dialogs.modals.enqueue(choose(1, QStringLiteral("40"), QStringLiteral("A4")));
        app.item("Vystrihovanka1")->trigger();
        QCOMPARE(app.dialogs.texts("question"),
                 QStringList(QStringLiteral("Obrázky těchto stěn nelze načíst: 3 (%1), 5 (%2). Vytisknout tyto stěny bílé?")
                                     .arg(QDir::toNativeSeparators(files[2]), QDir::toNativeSeparators(files[4]))));
        QVERIFY(app.dialogs.texts("print").isEmpty());
    }
};

QTEST_MAIN(tst_Cutout)
#include "tst_cutout.moc"
