#pragma once

#include "answermarks.h"
#include "faceset.h"
#include "quizfile.h"

#include <QImage>
#include <array>

class Canvas;

// The twelve nets of the quiz sheet without their widgets: the square states,
// the turn counter shared by every turn gesture, the face tiles and the face
// set they were loaded from. Layouts and squares are numbered from 1; every
// drawing goes onto the canvas of that layout's 138 x 104 thumbnail.
class QuizNets
{
public:
    using States = std::array<quint8, quiz::squareCount>;

    QuizNets();

    // Copies the face set and reloads the six tiles (a tile that cannot be
    // read is white, never the tile of an earlier picture).
    void applyFaceSet(const faceset::Snapshot &snapshot);
    const faceset::Snapshot &applied() const { return m_applied; }
    const std::array<QImage, faceset::slotCount> &tiles() const { return m_tiles; }

    int originalTurn(int layout, int square) const;

    // What the teacher did to a square: hidden it (any state above 3), or
    // left it in a turn other than its original one.
    using Change = answermarks::Change;
    Change change(int layout, int square) const;
    // The answer to the thumbnail, 138 x 104: the frame and every square in
    // its original turn; a changed square framed 2 pixels wide inside its
    // picture area, red when hidden, blue when turned.
    QImage answerImage(int layout) const;

    // Frame, then every square in its original turn; the states follow.
    void reset(int layout, Canvas &canvas);
    // Frame, then every square from its state: 0..3 a turn, others blank.
    void redraw(int layout, Canvas &canvas) const;

    // Draws the square in its original turn, or blank; the state is the caller's.
    void drawOriginal(int layout, int square, Canvas &canvas) const;
    void drawBlank(int square, Canvas &canvas) const;
    // Advances the shared counter and turns the square by it from its
    // original turn; draws even on a hidden square. Returns the new turn.
    int turnStep(int layout, int square, Canvas &canvas);

    quint8 state(int layout, int square) const { return m_states[layout - 1][square - 1]; }
    void setState(int layout, int square, quint8 state) { m_states[layout - 1][square - 1] = state; }
    const States &states(int layout) const { return m_states[layout - 1]; }
    void setStates(int layout, const States &states) { m_states[layout - 1] = states; }
    int turnCounter() const { return m_turnCounter; }
    void setTurnCounter(int counter) { m_turnCounter = quint8(counter & 3); }

private:
    const QImage &tile(int layout, int square) const;

    std::array<States, quiz::thumbnailCount> m_states{};
    quint8 m_turnCounter = 0;
    std::array<QImage, faceset::slotCount> m_tiles;
    faceset::Snapshot m_applied;
};
