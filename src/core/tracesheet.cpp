#include "tracesheet.h"

#include "canvas.h"
#include "facetiles.h"
#include "netgeometry.h"
#include "tracefile.h"

namespace {

// Each imprint of face f turns by the change of f's rotation, as a replay
// under the new rotations turns it.
void turnFaces(trace::Grid &grid, const std::array<quint8, 6> &from, const std::array<quint8, 6> &to)
{
    for (trace::Imprint &p : grid.cells)
        if (p.face >= 1 && p.face <= 6)
            p.rotation = quint8((p.rotation + to[p.face - 1] - from[p.face - 1]) & 3);
}

} // namespace

TraceSheet::TraceSheet()
{
    for (QImage &tile : m_tiles) {
        tile = QImage(32, 32, QImage::Format_RGB32);
        tile.fill(Qt::white);
    }
    m_mirrored = m_tiles;
    for (trace::Trace &t : m_nets) {
        die::obnov_kostku(t.initial, m_applied.rotations);
        t.state = t.initial;
    }
    // The task text lies on the sheet from the start, white until drawn.
    QImage popis(430, 90, QImage::Format_RGB32);
    popis.fill(Qt::white);
    m_texts[int(TextImage::Popis)] = {popis, QPoint(6, 248), true};
    QImage name(434, 25, QImage::Format_RGB32);
    name.fill(Qt::white);
    Canvas(name).rectangle(0, 0, 434, 25);
    m_texts[int(TextImage::Nazev)] = {name, QPoint(8, 570), false};
}

QList<sheet::Item> TraceSheet::items(bool withTexts, const Drawn &drawn, const sheet::Item &logo,
                                     bool answers, bool arrows) const
{
    QList<sheet::Item> items;
    if (withTexts) {
        for (const sheet::Placed &text : m_texts)
            if (text.visible)
                items.append({text.image, text.topLeft});
        items.append(logo);
    }
    for (int n = 1; n <= 2; ++n) {
        const sheet::Placed &net = drawn.nets[n - 1];
        if (net.visible)
            items.append({answers ? answerNet(n, arrows) : net.image, net.topLeft});
    }
    if (drawn.thumbnail.visible)
        items.append({drawn.thumbnail.image, drawn.thumbnail.topLeft});
    return items;
}

TraceSheet::Controls TraceSheet::controls() const
{
    const bool picture = m_mode == Mode::Picture;
    Controls c;
    c.nova = !picture;
    c.undo = !picture && net(m_active).history.count > 0;
    c.obnovit = picture;
    c.upperCopy = picture && m_active == 1;
    c.lowerCopy = picture && m_active == 2;
    return c;
}

bool TraceSheet::faceSetChanged(const faceset::Snapshot &snapshot) const
{
    return faceset::changed(m_applied, snapshot);
}

std::array<TraceSheet::Refreshed, 2> TraceSheet::refresh(const faceset::Snapshot &snapshot,
                                                         const std::function<bool(int)> &mayClear)
{
    const faceset::Snapshot previous = m_applied;
    m_applied = snapshot;
    for (int i = 0; i < faceset::slotCount; ++i) {
        m_tiles[i] = facetiles::loadTile(m_applied.names[i], m_applied.pictures[i]);
        m_mirrored[i] = facetiles::mirrored(m_tiles[i]);
    }
    std::array<Refreshed, 2> done{};
    for (int n = 1; n <= 2; ++n) {
        trace::Trace &t = at(n);
        die::obnov_kostku(t.initial, m_applied.rotations);
        if (m_netRead[index(n)]) {
            done[index(n)] = Refreshed::LoadedFromFile;
        } else if (t.history.count > 0 && !mayClear(n)) {
            t.prepocti_obrazek();
            turnFaces(t.pictureGrid, previous.rotations, m_applied.rotations);
            done[index(n)] = Refreshed::Kept;
        } else {
            t.newTrace();
            done[index(n)] = Refreshed::Renewed;
        }
    }
    m_active = 1;
    m_needsRefresh = false;
    return done;
}

TraceSheet::Press TraceSheet::press(int n, Qt::MouseButton button, bool turnKey, die::Field f)
{
    trace::Trace &t = at(n);
    const bool picture = m_mode == Mode::Picture;
    Press p;
    if (!picture && die::directionTo(t.last, f) != 0) {
        if (t.roll(f, &p.from) == trace::Trace::RollResult::Accepted)
            p.what = Pressed::Rolled;
        return p;
    }
    // The last pixel row addresses row 8, which the grid has not.
    const bool onGrid = trace::Grid::contains(f);
    if (button == Qt::RightButton && (!picture || turnKey)) {
        p.what = Pressed::HideNet;
    } else if (button == Qt::RightButton) {
        if (onGrid) {
            trace::uvolni_pole(f, t.editedPicture());
            p.what = Pressed::Blanked;
        }
    } else if (button == Qt::LeftButton && picture && turnKey) {
        if (onGrid) {
            trace::Imprint &q = t.editedPicture().at(f);
            q.rotation = (q.rotation + 1) & 3;
            p.what = Pressed::Turned;
        }
    } else if (button == Qt::LeftButton) {
        if (picture && onGrid) {
            t.editedPicture().at(f) = t.traceGrid.at(f);
            p.what = Pressed::Revealed;
        }
        p.drag = true;
    }
    return p;
}

void TraceSheet::drawPress(int n, die::Field f, const Press &press, Canvas &canvas)
{
    const trace::Trace &t = net(n);
    trace::Grid &shown = m_shown[index(n)];
    switch (press.what) {
    case Pressed::Rolled:
        tracedraw::drawRoll(canvas, press.from, f, t.traceGrid, m_mirrored);
        shown.at(f) = t.traceGrid.at(f);
        break;
    case Pressed::Blanked:
        tracedraw::blankField(canvas, f);
        shown.at(f) = trace::Imprint{};
        break;
    case Pressed::Turned:
    case Pressed::Revealed:
        tracedraw::dokresli_pole(canvas, f, t.picture(), m_mirrored);
        shown.at(f) = t.picture().at(f);
        break;
    case Pressed::HideNet:
    case Pressed::Nothing:
        break;
    }
}

bool TraceSheet::release(int n)
{
    if (n == m_active)
        return false;
    selectNet(n);
    return true;
}

void TraceSheet::selectNet(int n)
{
    m_active = n == 2 ? 2 : 1;
}

bool TraceSheet::enterPictureMode()
{
    if (m_mode == Mode::Picture)
        return false;
    m_mode = Mode::Picture;
    restorePicture();
    return true;
}

void TraceSheet::leavePictureMode()
{
    m_mode = Mode::Trace;
}

void TraceSheet::restorePicture()
{
    at(m_active).fillPicture();
}

bool TraceSheet::undo()
{
    return m_mode == Mode::Trace && at(m_active).undo();
}

void TraceSheet::newTrace(int n)
{
    at(n).newTrace();
}

void TraceSheet::drawCopy(int n, Canvas &canvas, bool replay, bool arrows) const
{
    const trace::Trace &t = net(n);
    const auto draw = replay ? tracedraw::prekresli_obrazek : tracedraw::prekresli_proste;
    draw(canvas, t.history, t.traceGrid, m_mirrored, t.initial, arrows);
}

void TraceSheet::drawThumbnail(Canvas &canvas) const
{
    net::drawThumbnailFrame(canvas);
    for (int square = 1; square <= net::squareCount; ++square)
        drawThumbnailSquare(square, canvas);
}

void TraceSheet::drawThumbnailSquare(int square, Canvas &canvas) const
{
    const int face = net::net_faces[0][square - 1];
    net::drawTile(canvas, m_tiles[face - 1], square, net::originalTurn(1, square, m_applied.rotations));
}

void TraceSheet::drawNet(int n, Canvas &canvas, bool arrows)
{
    const trace::Trace &t = net(n);
    trace::Grid &shown = m_shown[index(n)];
    if (m_mode == Mode::Trace) {
        tracedraw::prekresli_obrazek(canvas, t.history, t.traceGrid, m_mirrored, t.initial, arrows);
        shown = t.traceGrid;
    } else {
        tracedraw::prekresli_proste(canvas, t.history, t.picture(), m_mirrored, t.initial, arrows);
        shown = t.picture();
        if (shown.at(die::startField).face == 0)
            shown.at(die::startField) = t.initial[die::Underside];
    }
}

void TraceSheet::drawNewTrace(int n, Canvas &canvas)
{
    const trace::Trace &t = net(n);
    tracedraw::clear(canvas);
    tracedraw::dokresli_pole(canvas, t.last, t.traceGrid, m_mirrored);
    tracedraw::ramecek(canvas, t.last, tracedraw::red);
    m_shown[index(n)] = t.traceGrid;
}

answermarks::Change TraceSheet::shownChange(int n, die::Field f) const
{
    if (!trace::Grid::contains(f))
        return answermarks::Change::None;
    const trace::Imprint rolled = net(n).traceGrid.at(f);
    const trace::Imprint shown = m_shown[index(n)].at(f);
    if (shown == rolled)
        return answermarks::Change::None;
    return shown.face == 0 ? answermarks::Change::Hidden : answermarks::Change::Turned;
}

QImage TraceSheet::answerNet(int n, bool arrows) const
{
    QImage image(tracedraw::imageWidth, tracedraw::imageHeight, QImage::Format_RGB32);
    Canvas canvas(image);
    const trace::Trace &t = net(n);
    tracedraw::prekresli_obrazek(canvas, t.history, t.traceGrid, m_mirrored, t.initial, false);
    for (const die::Field f : trace::path(t.history)) {
        const QPoint origin = tracedraw::pictureOrigin(f);
        answermarks::mark(canvas, origin.x(), origin.y(), tracedraw::fieldSize, shownChange(n, f));
    }
    if (arrows)   // over the marks, as over the pictures
        tracedraw::prekresli_sipky(canvas, t.history);
    return image;
}

QByteArray TraceSheet::fileBytes(int n) const
{
    const trace::Trace &t = net(n);
    return tracefile::write(t.picture(), t.history);
}

bool TraceSheet::load(int n, const QByteArray &bytes)
{
    if (n != 1 && n != 2)
        return false;
    const std::optional<tracefile::NetData> data = tracefile::read(bytes);
    if (!data)
        return false;
    trace::Trace &t = at(n);
    t.pictureGrid = data->picture;
    t.pictureFilled = true;
    t.history = data->history;
    m_netRead[index(n)] = true;
    m_loadPending = true;
    return true;
}

std::array<bool, 2> TraceSheet::takeLoaded()
{
    const std::array<bool, 2> read = m_netRead;
    m_loadPending = false;
    if (!read[0] && !read[1])
        return read;   // nothing read, nothing changes
    const bool wasTrace = m_mode == Mode::Trace;
    m_mode = Mode::Picture;
    for (int n = 1; n <= 2; ++n)
        if (read[index(n)])
            at(n).prepocti_obrazek();
    if (wasTrace && !read[index(m_active)])
        restorePicture();
    m_netRead = {};
    return read;
}
