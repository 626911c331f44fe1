#pragma once

#include "answermarks.h"
#include "faceset.h"
#include "sheet.h"
#include "trace.h"
#include "tracedrawing.h"

#include <QByteArray>
#include <QImage>
#include <QStringList>
#include <array>
#include <functional>

class Canvas;

// The trace window without its widgets: the two traces (net 1 upper, net 2
// lower), the mode, the active net, the needs-refresh and load flags, and
// the applied face set with its tiles. Every operation leaves the sheet in
// one whole mode; controls() gives the buttons and reference copies that
// mode shows. The window asks the questions; the sheet draws the nets on
// the canvases it is given and remembers what each shows, for the answers.
class TraceSheet
{
public:
    enum class Mode { Trace = 1, Picture = 2 };

    // Enabled buttons and visible reference copies.
    struct Controls
    {
        bool nova = false;
        bool undo = false;
        bool obnovit = false;
        bool upperCopy = false;   // Image3
        bool lowerCopy = false;   // Image2
        bool operator==(const Controls &) const = default;
    };

    // What a refresh did to a net.
    enum class Refreshed { Renewed, Kept, LoadedFromFile };

    // What a mouse press on a net image did.
    enum class Pressed { Nothing, Rolled, HideNet, Blanked, Turned, Revealed };
    struct Press
    {
        Pressed what = Pressed::Nothing;
        die::Field from = 0;   // the field left, for Rolled
        bool drag = false;
    };

    TraceSheet();

    Controls controls() const;
    Mode mode() const { return m_mode; }
    int activeNet() const { return m_active; }
    const trace::Trace &net(int n) const { return m_nets[index(n)]; }
    const faceset::Snapshot &applied() const { return m_applied; }
    const std::array<QImage, faceset::slotCount> &tiles() const { return m_tiles; }
    const tracedraw::Tiles &mirroredTiles() const { return m_mirrored; }
    bool needsRefresh() const { return m_needsRefresh; }
    bool loadPending() const { return m_loadPending; }

    // The face set differs from the applied one (pictures, companion names
    // or rotations).
    bool faceSetChanged(const faceset::Snapshot &snapshot) const;

    // Takes the face set and its tiles, then renews both nets, upper first;
    // a net with moves is renewed only when `mayClear(net)` says yes, else
    // kept: its moves replayed under the new rotations and its picture grid
    // turned with them. A net just read from a file waits for
    // takeLoaded(). Net 1 becomes active.
    std::array<Refreshed, 2> refresh(const faceset::Snapshot &snapshot,
                                     const std::function<bool(int net)> &mayClear);

    // A mouse press on net n's field f (the window computed the field).
    // Picture mode edits the net's picture, filled from its trace first
    // when it never was.
    Press press(int n, Qt::MouseButton button, bool turnKey, die::Field f);
    // What `press` on field f did, drawn on net n's image.
    void drawPress(int n, die::Field f, const Press &press, Canvas &canvas);
    // A mouse release on net n: it becomes active. True when it was not.
    bool release(int n);
    void selectNet(int n);

    // Trace mode to picture mode: the active net's picture grid takes its
    // trace grid. False when already in picture mode.
    bool enterPictureMode();
    // Back to trace mode (the window asked first).
    void leavePictureMode();
    // The active net's picture grid takes its trace grid again.
    void restorePicture();
    // Undoes the active net's last roll in trace mode.
    bool undo();
    // The new-trace steps on net n.
    void newTrace(int n);
    // OK pressed.
    void confirm() { m_needsRefresh = false; }

    // Net n's image redrawn whole: by replay in trace mode, plainly from
    // its picture in picture mode.
    void drawNet(int n, Canvas &canvas, bool arrows);
    // The new-trace drawing: a white grid, the start field framed red.
    void drawNewTrace(int n, Canvas &canvas);
    // Net n's reference copy from its trace grid, by replay or plainly.
    void drawCopy(int n, Canvas &canvas, bool replay, bool arrows) const;
    // The thumbnail (layout 1 of the quiz nets) from the plain tiles, in the
    // original turns: its frame and all squares, or one square.
    void drawThumbnail(Canvas &canvas) const;
    void drawThumbnailSquare(int square, Canvas &canvas) const;

    // How net n's image, as last drawn, shows field f of its path against
    // the trace: as rolled, hidden (blank) or otherwise (turned).
    answermarks::Change shownChange(int n, die::Field f) const;
    // Net n's answer on a fresh 430 x 232 net image: the whole trace as
    // trace mode redraws it (the last field framed red), every field of the
    // path that the image shows otherwise marked.
    QImage answerNet(int n, bool arrows) const;

    // The trace file of net n: its picture (the trace grid when the picture
    // grid was never filled), count and history.
    QByteArray fileBytes(int n) const;
    // A whole trace file becomes net n's picture grid and history, to be
    // rebuilt by takeLoaded(); false (nothing changed) for a bad file.
    bool load(int n, const QByteArray &bytes);
    // "Načíst zadání" is over, whatever it read: the next showing takes
    // the loads.
    void finishLoad() { m_loadPending = true; }
    // Replays the nets read and enters picture mode, the active net
    // keeping a picture grid just read. When nothing was read nothing
    // changes. Returns which nets were read.
    std::array<bool, 2> takeLoaded();

    // The sheet's texts: the task `popis` and the file-name box `nazev`, in
    // the window's coordinates, and the task memo's lines.
    enum class TextImage { Popis, Nazev };
    const sheet::Placed &textImage(TextImage which) const { return m_texts[int(which)]; }
    sheet::Placed &textImage(TextImage which) { return m_texts[int(which)]; }
    const QStringList &memo() const { return m_memo; }
    void setMemo(const QStringList &lines) { m_memo = lines; }

    // What the window shows besides the drawings: which nets are shown
    // (a right click hides one), where the thumbnail lies (at home in the
    // panel or on the sheet, in the coordinates of where it lies), and
    // whether redrawing draws the arrows.
    struct View
    {
        std::array<bool, 2> netShown{true, true};
        bool thumbnailOnSheet = false;
        QPoint thumbnailTopLeft{6, 7};
        bool arrows = true;
        bool operator==(const View &) const = default;
    };
    const View &view() const { return m_view; }
    View &view() { return m_view; }

    // What the window draws and where it lies: the nets (upper, lower) and
    // the thumbnail, visible when it is on the sheet.
    struct Drawn
    {
        std::array<sheet::Placed, 2> nets;
        sheet::Placed thumbnail;
    };
    // What is printed: with texts the visible text images and `logo`; then
    // the visible nets, as drawn or, with `answers`, their answers
    // (answerNet); then the thumbnail when it is on the sheet.
    QList<sheet::Item> items(bool withTexts, const Drawn &drawn, const sheet::Item &logo,
                             bool answers, bool arrows) const;

private:
    static int index(int n) { return n == 2 ? 1 : 0; }
    trace::Trace &at(int n) { return m_nets[index(n)]; }

    std::array<trace::Trace, 2> m_nets;
    // What each net's image shows on its fields, as last drawn.
    std::array<trace::Grid, 2> m_shown{};
    Mode m_mode = Mode::Trace;
    int m_active = 1;
    bool m_needsRefresh = true;
    bool m_loadPending = false;
    std::array<bool, 2> m_netRead{};
    faceset::Snapshot m_applied;
    std::array<QImage, faceset::slotCount> m_tiles;
    tracedraw::Tiles m_mirrored;
    std::array<sheet::Placed, 2> m_texts;
    QStringList m_memo;
    View m_view;
};
