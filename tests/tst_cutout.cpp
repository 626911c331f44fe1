#include "appsettings.h"
#include "cutoutprinting.h"
#include "cutoutsheet.h"
#include "model.h"
#include "requirements.h"
#include "testapp.h"
#include "vystrihovanka.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QToolButton>
#include <QtTest>

#include <cmath>
#include <numeric>
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
    bool near(V o, double e = 1e-6) const { return (*this - o).dot(*this - o) < e * e; }
};

// A face of the template's little cube: its corners in the order of the
// texture points 0 0, 1 0, 1 1, 0 1 (t runs up the picture).
using ModelFace = std::array<V, 4>;

std::array<ModelFace, faceCount> modelFaces()
{
    const QStringList lines = model::builtinTemplate();
    auto find = [&](const QString &text, qsizetype from) {
        while (from < lines.size() && !lines[from].contains(text))
            ++from;
        if (from == lines.size())
            qFatal("%s is not in the template", qPrintable(text));
        return from;
    };
    auto numbers = [](const QString &text) {
        QList<double> out;
        static const QRegularExpression number(QStringLiteral("-?\\d+"));
        for (auto it = number.globalMatch(text); it.hasNext();)
            out << it.next().captured().toDouble();
        return out;
    };
    qsizetype at = find(QStringLiteral("MFVec3f body ["), find(QStringLiteral("PROTO Krychlicka"), 0));
    QString body;
    while (!lines[++at].contains(QLatin1Char(']')))
        body += lines[at] + QLatin1Char(' ');
    const QList<double> p = numbers(body);
    std::array<ModelFace, faceCount> faces;
    for (int k = 0; k < faceCount; ++k) {
        at = find(QStringLiteral("coordIndex ["), find(QStringLiteral("DEF I%1 ImageTexture").arg(k), at));
        if (!lines[at + 2].contains(QLatin1String("point [0 0, 1 0, 1 1, 0 1]"))
            || !lines[at + 4].contains(QLatin1String("texCoordIndex [0 1 2 3 -1]")))
            qFatal("unexpected texture coordinates of face %d", k);
        const QList<double> index = numbers(lines[at]);
        for (int c = 0; c < 4; ++c)
            faces[k][c] = {p[3 * index[c]], p[3 * index[c] + 1], p[3 * index[c] + 2]};
    }
    return faces;
}

// Where the model shows point (s, t) of a picture turned by `rotation`: the
// texture transform turns texture coordinates by rotation x 1.57 radians
// about 0 0, and the texture repeats.
V modelPoint(const ModelFace &face, double s, double t, int rotation)
{
    const double a = -rotation * 1.57;
    double u = s * std::cos(a) - t * std::sin(a), v = s * std::sin(a) + t * std::cos(a);
    u -= std::floor(u);
    v -= std::floor(v);
    return face[0] + (face[1] - face[0]) * u + (face[3] - face[0]) * v;
}

// Point (s, t) of a picture drawn on a square turned `turn` quarter turns
// clockwise, on paper (y down).
QPointF paperPoint(const QRectF &square, double s, double t, int turn)
{
    double u = s, w = 1 - t;
    for (int k = 0; k < turn; ++k)
        std::tie(u, w) = std::make_pair(1 - w, u);
    return square.topLeft() + QPointF(u, w) * square.width();
}

// Folds the paper: squares that share a side are hinged there; each square
// turns a quarter about every hinge between it and face 0's square, away
// from the printed side. Paper (x, y) lies at (x, -y, 0), 2 units a square,
// printed side towards +z; then the cube is turned `quarter` times about z
// and face 0 moved to z = 1.
struct Fold
{
    std::array<QList<std::pair<V, V>>, faceCount> hinges;  // point, unit axis; own hinge first
    double scale;
    V centre0;
    int quarter = 0;

    explicit Fold(const cutout::Sheet &sheet) : scale(2 / sheet.edge)
    {
        auto centre = [&](int f) { return flat(sheet.squares[f].center()); };
        std::array<int, faceCount> parent;
        parent.fill(-1);
        parent[0] = 0;
        QList<int> queue{0};
        for (int q = 0; q < queue.size(); ++q)
            for (int f = 0; f < faceCount; ++f)
                // Squares whose centres lie 2 units apart share a side.
                if (parent[f] < 0 && std::abs((centre(f) - centre(queue[q])).dot(centre(f) - centre(queue[q])) - 4) < 1e-9) {
                    parent[f] = queue[q];
                    queue << f;
                }
        for (int f = 1; f < faceCount; ++f)
            for (int c = f; c > 0 && parent[c] >= 0; c = parent[c]) {
                const V out = (centre(c) - centre(parent[c])) * 0.5;
                hinges[f] << std::make_pair(centre(parent[c]) + out, out.cross({0, 0, -1}));
            }
        centre0 = centre(0);
    }
    V flat(QPointF p) const { return {p.x() * scale, -p.y() * scale, 0}; }
    V operator()(int face, QPointF paper) const
    {
        V p = flat(paper);
        for (const auto &[at, axis] : hinges[face])
            p = at + axis.cross(p - at) + axis * axis.dot(p - at);
        p = p - centre0;
        for (int k = 0; k < quarter; ++k)
            p = {-p.y, p.x, p.z};
        return p + V{0, 0, 1};
    }
};

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
        QPainter(&image).fillRect(0, 0, 300, 200, Qt::white);
        files << QDir(folder).filePath(QStringLiteral("%1.png").arg(f));
        image.save(files.last());
    }
    return files;
}

// A reply to the cut-out dialog: net, edge, paper, OK; accepted when it closed.
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

// The boxes and pixel counts of the 4-connected areas of at least `minimum`
// pixels close to `colour`.
QList<std::pair<QRect, int>> areas(const QImage &image, QRgb colour, int minimum)
{
    QList<std::pair<QRect, int>> found;
    QList<bool> seen(qsizetype(image.width()) * image.height(), false);
    auto take = [&](QPoint p) {
        if (!image.rect().contains(p) || seen[p.y() * image.width() + p.x()] || !close(image.pixel(p), colour, 12))
            return false;
        return seen[p.y() * image.width() + p.x()] = true;
    };
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            QList<QPoint> stack;
            if (take({x, y}))
                stack << QPoint(x, y);
            QRect box;
            int size = 0;
            for (; !stack.isEmpty(); ++size) {
                const QPoint p = stack.takeLast();
                box |= QRect(p, QSize(1, 1));
                for (QPoint n : {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)})
                    if (take(n))
                        stack << n;
            }
            if (size >= minimum)
                found << std::make_pair(box, size);
        }
    return found;
}

} // namespace

class tst_Cutout : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QFile::remove(appsettings::filePath());
    }

    void netPicture()
    {
        const QImage picture = cutout::netPicture(1, 9);
        QCOMPARE(picture.size(), QSize(46, 28));
        const cutout::Layout layout = cutout::layout(1, {});
        const QPoint offset((46 - layout.grid.width() * 9) / 2, (28 - layout.grid.height() * 9) / 2);
        for (int f = 0; f < cutout::faceCount; ++f) {
            const QPoint cell = offset + layout.cells[f] * 9;
            QCOMPARE(picture.pixel(cell + QPoint(4, 4)), f == 0 ? qRgb(0xA0, 0xC8, 0xF0) : qRgb(255, 255, 255));
            QCOMPARE(picture.pixel(cell), qRgb(0, 0, 0));
        }
        QCOMPARE(qAlpha(picture.pixel(45, 0)), 0);   // beside the cross: transparent
    }

    void foldsOntoTheModel_data()
    {
        QTest::addColumn<int>("net");
        QTest::addColumn<bool>("turned");
        for (int net = 1; net <= cutout::netCount; ++net)
            for (bool turned : {false, true})
                QTest::addRow("net %d%s", net, turned ? " turned" : "") << net << turned;
    }
    // For every face set rotation: folded with the printed side outwards,
    // each picture lies on its face of the model, turned as the model turns
    // it; the seven tabs lie on the seven cube edges that are not folds.
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
            auto lands = [&] {
                for (int f = 0; f < faceCount; ++f) {
                    const QRectF &sq = sheet.squares[f];
                    if (f > 0 && fold.hinges[f].isEmpty())
                        return false;
                    for (QPointF corner : {sq.topLeft(), sq.topRight(), sq.bottomLeft(), sq.bottomRight()})
                        if (std::none_of(model[f].begin(), model[f].end(), [&](V m) { return m.near(fold(f, corner)); }))
                            return false;
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
            QVERIFY2(ok, qPrintable(QStringLiteral("rotations %1").arg(combination, 6, 4, QLatin1Char('0'))));
        }

        // Folded, the middles of the hinges and of the tabs' bases are the
        // twelve different middles of the cube's edges.
        const cutout::Sheet sheet = cutout::sheet(cutout::layout(net, {}, turned), 40);
        const Fold fold(sheet);
        QList<V> middles;
        for (int f = 1; f < faceCount; ++f) {
            const V hinge = fold.hinges[f].first().first;
            middles << fold(f, QPointF(hinge.x, -hinge.y) / fold.scale);
        }
        for (const QPolygonF &tab : sheet.tabs) {
            const QPointF base = (tab[0] + tab[1]) / 2, inside = base * 2 - (tab[2] + tab[3]) / 2;
            const auto sq = std::find_if(sheet.squares.begin(), sheet.squares.end(),
                                         [&](const QRectF &s) { return s.contains(inside); });
            QVERIFY(sq != sheet.squares.end());
            middles << fold(int(sq - sheet.squares.begin()), base);
        }
        QCOMPARE(middles.size(), cutout::foldCount + cutout::tabCount);
        for (int i = 0; i < middles.size(); ++i) {
            int zeros = 0, ones = 0;
            for (double c : {middles[i].x, middles[i].y, middles[i].z}) {
                zeros += std::abs(c) < 1e-6;
                ones += std::abs(std::abs(c) - 1) < 1e-6;
            }
            QVERIFY(zeros == 1 && ones == 2);
            for (int j = 0; j < i; ++j)
                QVERIFY(!middles[i].near(middles[j]));
        }
    }

    // The eleven nets differ, turned or mirrored; the first is the cross.
    void elevenDistinctNets()
    {
        using Cells = std::vector<std::pair<int, int>>;
        auto canonical = [](const cutout::Sheet &sheet) {
            std::set<Cells> forms;
            for (int m = 0; m < 8; ++m) {
                Cells cells;
                for (const QRectF &s : sheet.squares) {
                    int x = qRound(s.x() / sheet.edge), y = qRound(s.y() / sheet.edge);
                    for (int k = 0; k < m % 4; ++k)
                        std::tie(x, y) = std::make_pair(-y, x);
                    cells.emplace_back(y, m < 4 ? x : -x);
                }
                const auto [top, left] = std::accumulate(cells.begin(), cells.end(), cells.front(), [](auto a, auto b) {
                    return std::make_pair(std::min(a.first, b.first), std::min(a.second, b.second));
                });
                for (auto &c : cells)
                    c = {c.first - top, c.second - left};
                std::sort(cells.begin(), cells.end());
                forms.insert(cells);
            }
            return *forms.begin();
        };
        std::set<Cells> nets;
        for (int net = 1; net <= cutout::netCount; ++net)
            for (bool turned : {false, true})
                nets.insert(canonical(cutout::sheet(cutout::layout(net, {}, turned), 1)));
        QCOMPARE(int(nets.size()), cutout::netCount);
        QVERIFY(canonical(cutout::sheet(cutout::layout(1, {}), 1))
                == (Cells{{0, 1}, {1, 0}, {1, 1}, {1, 2}, {1, 3}, {2, 1}}));
    }

    // The PDF keeps every picture as it was read, whatever its format:
    // no picture is stored JPEG-compressed, and each comes out pixel for pixel.
    void picturesPrintLosslessly()
    {
        VEMTAL_REQUIRE_TOOL("pdfimages", "poppler-utils");
        TestApp app;
        // Noise, which a lossy compression would change; small enough to be
        // printed at its own size.
        QRandomGenerator random(11);
        QList<QImage> pictures;
        QStringList files;
        // (Qt writes no GIF; a GIF is read into the same pixels as a PNG.)
        const char *formats[] = {"png", "jpg", "bmp", "png", "jpg", "png"};
        for (int f = 0; f < faceCount; ++f) {
            QImage noise(120, 90, QImage::Format_RGB32);
            for (int y = 0; y < noise.height(); ++y)
                for (int x = 0; x < noise.width(); ++x)
                    noise.setPixel(x, y, 0xFF000000 | random.bounded(0x1000000u));
            files << app.path(QStringLiteral("%1.%2").arg(f).arg(QLatin1String(formats[f])));
            QVERIFY(noise.save(files.last()));
            pictures << QImage(files.last()).convertToFormat(QImage::Format_RGB32);
        }
        app.form1->openArguments(files);
        QPrinter *printer = app.cutout->printer();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(app.path(QStringLiteral("net.pdf")));
        app.dialogs.modals.enqueue(choose(1, QStringLiteral("50"), QStringLiteral("A4")));
        app.dialogs.prints.enqueue({true, false});
        app.item("Vystrihovanka1")->trigger();
        QCOMPARE(app.dialogs.texts("message"), QStringList());

        QProcess list;
        list.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), app.path(QStringLiteral("net.pdf"))});
        QVERIFY(list.waitForFinished(60000) && list.exitCode() == 0);
        const QString table = QString::fromLocal8Bit(list.readAllStandardOutput());
        QVERIFY2(!table.contains(QLatin1String("jpeg")), qPrintable(table));
        QProcess extract;
        extract.start(QStringLiteral("pdfimages"), {QStringLiteral("-png"), app.path(QStringLiteral("net.pdf")),
                                                   app.path(QStringLiteral("img"))});
        QVERIFY(extract.waitForFinished(60000) && extract.exitCode() == 0);
        const QStringList images = QDir(app.dir.path()).entryList({QStringLiteral("img-*.png")});
        QCOMPARE(images.size(), faceCount);
        for (const QString &name : images) {
            const QImage image = QImage(app.path(name)).convertToFormat(QImage::Format_RGB32);
            QVERIFY2(pictures.removeOne(image), qPrintable(name));
        }
    }

    // Printed into a PDF at 254 dots per inch (10 dots a millimetre): every
    // square's sides 50 mm apart, on one grid, each picture turned as its
    // square says, and seven grey tabs of 50 x 10 mm.
    void printsTrueSize()
    {
        VEMTAL_REQUIRE_TOOL("pdftoppm", "poppler-utils");
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

        QProcess pdftoppm;
        pdftoppm.start(QStringLiteral("pdftoppm"), {"-r", "254", "-png", "-singlefile", app.path("net.pdf"), app.path("net")});
        QVERIFY(pdftoppm.waitForFinished(60000) && pdftoppm.exitCode() == 0);
        const QImage page = QImage(app.path(QStringLiteral("net.png"))).convertToFormat(QImage::Format_RGB32);
        QVERIFY(std::abs(page.width() - 2100) <= 1 && std::abs(page.height() - 2970) <= 1);
        const auto sheet = cutout::fitSheet(1, rotations, 50, cutout::printableArea(*printer));
        QVERIFY(sheet);
        // A line found to a fraction of a dot: the centre of the dark dots
        // across it, along the middle of a side.
        auto lineAt = [&](bool vertical, int at, int from, int to) {
            double weight = 0, sum = 0;
            for (int d = -5; d <= 5; ++d)
                for (int k = from; k < to; ++k) {
                    const QRgb p = vertical ? page.pixel(at + d, k) : page.pixel(k, at + d);
                    const int w = std::max(0, 100 - std::max({qRed(p), qGreen(p), qBlue(p)}));
                    weight += w;
                    sum += w * (at + d);
                }
            return sum / weight;
        };
        QList<double> edges;
        QList<QPointF> corners;
        const QPoint quarters[4] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        for (int f = 0; f < faceCount; ++f) {
            const auto found = areas(page, colours[f], 10000);
            QCOMPARE(found.size(), 1);
            const QRect box = found.first().first;
            // The white quarter: top left, top right, bottom right, bottom left for turns 0..3.
            const QPoint q = quarters[sheet->turns[f]];
            QVERIFY(close(page.pixel(box.center() + q * 125), 0xFFFFFF));
            QVERIFY(close(page.pixel(box.center() - q * 125), colours[f]));
            const double left = lineAt(true, box.left(), box.top() + 100, box.bottom() - 100);
            const double top = lineAt(false, box.top(), box.left() + 100, box.right() - 100);
            edges << (lineAt(true, box.right() + 1, box.top() + 100, box.bottom() - 100) - left) / 10
                  << (lineAt(false, box.bottom() + 1, box.left() + 100, box.right() - 100) - top) / 10;
            corners << QPointF(left, top) / 10;
        }
        for (double e : edges)
            QVERIFY2(std::abs(e - 50) < 0.1, qPrintable(QString::number(e)));
        qInfo("edge measured in the PDF: %.3f mm (12 sides, %.3f to %.3f)",
              std::accumulate(edges.begin(), edges.end(), 0.0) / edges.size(),
              *std::min_element(edges.begin(), edges.end()), *std::max_element(edges.begin(), edges.end()));
        for (QPointF c : corners) {
            const QPointF d = c - corners[0];
            QVERIFY(std::abs(d.x() - 50 * qRound(d.x() / 50)) < 0.1 && std::abs(d.y() - 50 * qRound(d.y() / 50)) < 0.1);
        }
        // Tabs less their 0.3 mm lines: (50 + 30) / 2 x 10 = 400 mm².
        const auto tabs = areas(page, 0xE0E0E0, 5000);
        QCOMPARE(tabs.size(), cutout::tabCount);
        for (const auto &[box, size] : tabs) {
            const int along = std::max(box.width(), box.height()), across = std::min(box.width(), box.height());
            QVERIFY2(along >= 485 && along <= 500 && across >= 94 && across <= 100 && size > 36000 && size < 40000,
                     qPrintable(QStringLiteral("tab %1 x %2, %3 dots").arg(along).arg(across).arg(size)));
        }
    }

    // A wrong edge is told and prints nothing; accepted choices are kept;
    // missing or unreadable pictures are told.
    void refusesAndKeeps()
    {
        TestApp app;
        app.item("Vystrihovanka1")->trigger();
        QCOMPARE(app.dialogs.texts("message"), QStringList(QStringLiteral("Vyberte textury.")));
        const QStringList files = writePictures(app.dir.path());
        app.form1->openArguments(files);
        // 3-3 is five edges long: 5 x 60 mm is more than A4's 277 mm.
        for (const char *edge : {"abc", "19", "60", ""}) {
            app.dialogs.calls.clear();
            app.dialogs.modals.enqueue(choose(11, QString::fromLatin1(edge), QStringLiteral("A4")));
            app.item("Vystrihovanka1")->trigger();
            QCOMPARE(app.dialogs.texts("message").size(), 1);
            QVERIFY(app.dialogs.texts("message").first().startsWith(QStringLiteral("Délka hrany musí být číslo od 20 do ")));
            QVERIFY(app.dialogs.texts("print").isEmpty());
        }
        app.dialogs.modals.enqueue(choose(11, QStringLiteral("60"), QStringLiteral("A3")));
        app.item("Vystrihovanka1")->trigger();
        QCOMPARE(app.dialogs.texts("print").size(), 1);
        QCOMPARE(app.cutout->printer()->pageLayout().pageSize().id(), QPageSize::A3);
        const TVystrihovanka next(app.context);
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
