#include "exercise.h"

#include "canvas.h"
#include "facetiles.h"
#include "netgeometry.h"
#include "quizsheet.h"
#include "tilecheck.h"
#include "tracedrawing.h"
#include "tracesheet.h"

#include <QFile>
#include <QFileInfo>
#include <QTransform>

#include <algorithm>

namespace exercise {

namespace {

constexpr int tile = net::tileSize;

// A tile whose every pixel differs from every other: each pose of it is told
// apart from the other seven.
QImage probeTile()
{
    QImage probe(tile, tile, QImage::Format_RGB32);
    for (int y = 0; y < tile; ++y)
        for (int x = 0; x < tile; ++x)
            probe.setPixel(x, y, qRgb(x * 8, y * 8, 128));
    return probe;
}

// The pose among the eight in which `probe` becomes `drawn`.
Pose poseOf(const QImage &probe, const QImage &drawn)
{
    for (bool mirrored : {false, true})
        for (int turns = 0; turns < 4; ++turns)
            if (posed(probe, {mirrored, turns}) == drawn)
                return {mirrored, turns};
    qFatal("a tile drawn in none of the eight poses");
}

// The 32 x 32 picture area at `topLeft` of an image.
QImage area(const QImage &image, QPoint topLeft)
{
    if (image.isNull()) {
        QImage white(tile, tile, QImage::Format_RGB32);
        white.fill(Qt::white);
        return white;
    }
    return image.copy(topLeft.x(), topLeft.y(), tile, tile).convertToFormat(QImage::Format_RGB32);
}

// What the sheet and the page show of each face: the printed tile and the
// screen picture at tile size, both laid by a net's poses.
struct Looks
{
    std::array<QImage, faceset::slotCount> tiles;
    std::array<QImage, faceset::slotCount> screen;

    Looks(const std::array<QImage, faceset::slotCount> &sheetTiles,
          const std::array<QImage, faceset::slotCount> &pictures)
        : tiles(sheetTiles)
    {
        for (int i = 0; i < faceset::slotCount; ++i)
            screen[i] = pictures[i].isNull()
                    ? tiles[i]
                    : pictures[i].scaled(tile, tile, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                              .convertToFormat(QImage::Format_RGB32);
    }

    bool alike(Choice a, Choice b, const std::array<Pose, 4> &poses) const
    {
        const Pose pa = poses[a.turn & 3], pb = poses[b.turn & 3];
        return tilecheck::looksAlike(posed(tiles[a.face - 1], pa), posed(tiles[b.face - 1], pb))
                && tilecheck::looksAlike(posed(screen[a.face - 1], pa), posed(screen[b.face - 1], pb));
    }

    // The answer first, then every other choice that looks like it: in
    // another turn of the same face, and for a blank cell of another face.
    QList<Choice> accepted(Choice answer, bool anyFace, const std::array<Pose, 4> &poses) const
    {
        QList<Choice> out{answer};
        for (int face = 1; face <= faceset::slotCount; ++face) {
            if (!anyFace && face != answer.face)
                continue;
            for (int turn = 0; turn < 4; ++turn) {
                const Choice c{face, turn};
                if (c != answer && alike(c, answer, poses))
                    out.append(c);
            }
        }
        return out;
    }
};

QImage readScreenPicture(const QString &path)
{
    // The one reader: only a regular file, never waiting, capped.
    const QImage picture = facetiles::readPictureFile(path);
    if (picture.isNull())
        return picture;
    const int side = std::min(pictureSize, std::max(picture.width(), picture.height()));
    return picture.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_RGB32);
}

// Thumbnails on the sheet in reading order: a thumbnail whose top lies
// within half a thumbnail's height of a row's first one joins that row.
QList<int> readingOrder(const QuizSheet &sheet)
{
    QList<int> layouts;
    for (int k = 1; k <= net::layoutCount; ++k)
        if (sheet.place(k).onSheet)
            layouts.append(k);
    auto top = [&](int k) { return sheet.place(k).topLeft.y(); };
    auto left = [&](int k) { return sheet.place(k).topLeft.x(); };
    std::stable_sort(layouts.begin(), layouts.end(), [&](int a, int b) { return top(a) < top(b); });
    QList<int> ordered;
    for (qsizetype first = 0; first < layouts.size();) {
        qsizetype end = first + 1;
        while (end < layouts.size() && top(layouts[end]) - top(layouts[first]) < net::thumbHeight / 2)
            ++end;
        QList<int> row = layouts.mid(first, end - first);
        std::stable_sort(row.begin(), row.end(), [&](int a, int b) { return left(a) < left(b); });
        ordered += row;
        first = end;
    }
    return ordered;
}

// The die's net as the trace window's thumbnail shows it: layout 1, each
// square in its original turn.
Net dieNet(const faceset::Snapshot &faces)
{
    Net n;
    n.number = 1;
    n.size = QSize(net::thumbWidth, net::thumbHeight);
    n.poses = squarePoses();
    for (int s = 1; s <= net::squareCount; ++s) {
        Cell c;
        c.number = s;
        c.topLeft = QPoint(net::square_x[s - 1], net::square_y[s - 1]);
        c.shown = {net::net_faces[0][s - 1], net::originalTurn(1, s, faces.rotations)};
        c.answer = c.shown;
        c.accepted = {c.answer};
        c.fixed = true;
        n.cells.append(c);
    }
    return n;
}

// An imprint's picture area as dokresli_pole draws it.
QImage drawnImprint(trace::Imprint imprint, const tracedraw::Tiles &mirrored)
{
    if (imprint.face == 0)
        return area(QImage(), QPoint());
    QImage image(tracedraw::imageWidth, tracedraw::imageHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    Canvas canvas(image);
    trace::Grid grid;
    const die::Field f = die::field(1, 1);
    grid.at(f) = imprint;
    tracedraw::dokresli_pole(canvas, f, grid, mirrored);
    return area(image, QPoint(1, 1));
}

// The field's picture on the sheet looks as `drawn`, arrowheads aside.
bool sheetShows(const QImage &sheet, QPoint topLeft, const QImage &drawn)
{
    constexpr int margin = 5;
    for (int y = margin; y < tile - margin; ++y)
        for (int x = margin; x < tile - margin; ++x)
            if ((sheet.pixel(topLeft.x() + x, topLeft.y() + y) & 0xFFFFFF) != (drawn.pixel(x, y) & 0xFFFFFF))
                return false;
    return true;
}

// What the sheet shows on a field: the first imprint, of the likely ones
// first, whose drawing it has; the picture grid's when none matches.
trace::Imprint shownOnSheet(const QImage &sheet, QPoint topLeft, trace::Imprint pictured,
                            trace::Imprint rolled, const tracedraw::Tiles &mirrored)
{
    QList<trace::Imprint> candidates{pictured, rolled, trace::Imprint{}};
    for (quint8 face = 1; face <= faceset::slotCount; ++face)
        for (quint8 rotation = 0; rotation < 4; ++rotation)
            candidates.append({face, rotation});
    for (const trace::Imprint &c : candidates)
        if (sheetShows(sheet, topLeft, drawnImprint(c, mirrored)))
            return c;
    return pictured;
}

} // namespace

int Exercise::changedCount() const
{
    int count = 0;
    for (const Net &n : nets)
        for (const Cell &c : n.cells)
            count += c.changed && !c.fixed;
    return count;
}

QImage posed(const QImage &image, const Pose &pose)
{
    const QImage source = pose.mirrored ? image.mirrored(true, false) : image;
    return source.transformed(QTransform().rotate(90 * (pose.turns & 3)))
            .convertToFormat(QImage::Format_RGB32);
}

std::array<Pose, 4> squarePoses()
{
    const QImage probe = probeTile();
    std::array<Pose, 4> poses;
    for (int turn = 0; turn < 4; ++turn) {
        QImage thumb(net::thumbWidth, net::thumbHeight, QImage::Format_RGB32);
        Canvas canvas(thumb);
        net::drawTile(canvas, probe, 3, turn);
        poses[turn] = poseOf(probe, area(thumb, QPoint(net::square_x[2], net::square_y[2])));
    }
    return poses;
}

std::array<Pose, 4> imprintPoses()
{
    const QImage probe = probeTile();
    tracedraw::Tiles mirrored;
    mirrored.fill(facetiles::mirrored(probe));
    const die::Field f = die::field(1, 1);
    std::array<Pose, 4> poses;
    for (int rotation = 0; rotation < 4; ++rotation) {
        QImage image(tracedraw::imageWidth, tracedraw::imageHeight, QImage::Format_RGB32);
        Canvas canvas(image);
        trace::Grid grid;
        grid.at(f) = {1, quint8(rotation)};
        tracedraw::dokresli_pole(canvas, f, grid, mirrored);
        poses[rotation] = poseOf(probe, area(image, QPoint(1, 1)));
    }
    return poses;
}

std::array<QImage, faceset::slotCount> screenPictures(
        const faceset::Snapshot &faces, const std::array<QImage, faceset::slotCount> &tiles)
{
    std::array<QImage, faceset::slotCount> pictures;
    for (int i = 0; i < faceset::slotCount; ++i) {
        pictures[i] = readScreenPicture(faces.pictures[i]);
        if (pictures[i].isNull())
            pictures[i] = tiles[i].convertToFormat(QImage::Format_RGB32);
    }
    return pictures;
}

Exercise fromQuiz(const QuizSheet &sheet, const std::array<QImage, faceset::slotCount> &pictures)
{
    Exercise ex;
    ex.kind = Kind::Quiz;
    ex.pictures = pictures;
    const QuizNets &nets = sheet.nets();
    const Looks looks(nets.tiles(), pictures);
    const std::array<Pose, 4> poses = squarePoses();

    const std::pair<QuizSheet::TextImage, QuizSheet::Memo> texts[] = {
        {QuizSheet::TextImage::Popis, QuizSheet::Memo::Vstup},
        {QuizSheet::TextImage::Dalsipopis, QuizSheet::Memo::Dalsi},
        {QuizSheet::TextImage::Dalsipopis2, QuizSheet::Memo::Dalsi2}};
    for (const auto &[image, memo] : texts)
        if (sheet.textImage(image).visible)
            ex.task += sheet.memo(memo);

    for (int k : readingOrder(sheet)) {
        Net n;
        n.number = k;
        n.size = QSize(net::thumbWidth, net::thumbHeight);
        n.poses = poses;
        for (int s = 1; s <= net::squareCount; ++s) {
            Cell c;
            c.number = s;
            c.topLeft = QPoint(net::square_x[s - 1], net::square_y[s - 1]);
            const int face = net::net_faces[k - 1][s - 1];
            c.answer = {face, nets.originalTurn(k, s)};
            const QuizNets::Change change = nets.change(k, s);
            c.shown = change == QuizNets::Change::Hidden ? Choice{} : Choice{face, nets.state(k, s)};
            c.changed = change != QuizNets::Change::None;
            c.fillable = c.shown.face == 0;
            c.accepted = looks.accepted(c.answer, c.fillable, poses);
            n.cells.append(c);
        }
        ex.nets.append(n);
    }
    return ex;
}

Exercise fromTrace(const TraceSheet &sheet, const std::array<QImage, 2> &sheetImages,
                   const QStringList &task, const std::array<QImage, faceset::slotCount> &pictures)
{
    Exercise ex;
    ex.kind = Kind::Trace;
    ex.task = task;
    ex.pictures = pictures;
    ex.die = dieNet(sheet.applied());
    const Looks looks(sheet.tiles(), pictures);
    const std::array<Pose, 4> poses = imprintPoses();
    const bool pictureMode = sheet.mode() == TraceSheet::Mode::Picture;
    const QImage converted[] = {sheetImages[0].convertToFormat(QImage::Format_RGB32),
                                sheetImages[1].convertToFormat(QImage::Format_RGB32)};

    for (int number = 1; number <= 2; ++number) {
        // A net without moves has only its start imprint: no task.
        const QImage &drawn = converted[number - 1];
        if (drawn.width() < tracedraw::imageWidth || drawn.height() < tracedraw::imageHeight
            || sheet.net(number).history.count <= 0)
            continue;
        // The answers as trace mode draws them: every imprint rolled again.
        trace::Trace rolled = sheet.net(number);
        rolled.prepocti_obrazek();
        Net n;
        n.number = number;
        n.size = QSize(tracedraw::imageWidth, tracedraw::imageHeight);
        n.poses = poses;
        n.gridLines = true;
        const QList<die::Field> path = trace::path(rolled.history);
        QList<die::Field> seen;
        for (qsizetype i = 0; i < path.size(); ++i) {
            const die::Field f = path[i];
            if (!trace::Grid::contains(f))
                break;
            if (i > 0)
                if (const auto arrow = tracedraw::arrowPoints(path[i - 1], f))
                    n.arrows.append(*arrow);
            if (seen.contains(f))
                continue;
            seen.append(f);
            Cell c;
            c.field = f;
            c.topLeft = QPoint(33 * (die::column(f) - 1) + 1, 33 * (die::row(f) - 1) + 1);
            const trace::Imprint answer = rolled.traceGrid.at(f);
            c.answer = {answer.face, answer.rotation};
            c.fixed = f == die::startField;
            const trace::Imprint pictured = pictureMode ? sheet.net(number).pictureGrid.at(f) : answer;
            const trace::Imprint shown = c.fixed ? answer
                    : shownOnSheet(drawn, c.topLeft, pictured, answer, sheet.mirroredTiles());
            c.shown = shown.face == 0 ? Choice{} : Choice{shown.face, shown.rotation & 3};
            c.changed = c.shown != c.answer;
            c.fillable = c.shown.face != c.answer.face;
            c.accepted = looks.accepted(c.answer, c.fillable, poses);
            n.cells.append(c);
        }
        ex.nets.append(n);
    }
    return ex;
}

} // namespace exercise
