#pragma once

#include "die.h"
#include "faceset.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QSize>
#include <QStringList>
#include <array>

class QuizSheet;
class TraceSheet;

// A sheet as an exercise a pupil solves on screen: the nets that lie on it,
// every square or field as the sheet shows it, and its answer as the
// program's own drawing gives it (the original turns of the quiz, the rolled
// imprints of the trace). The page only compares the pupil's choices with
// the answers written here.
namespace exercise {

enum class Kind { Quiz, Trace };

// How the page lays an upright picture: mirrored left to right first when
// `mirrored` is set, then `turns` quarter turns clockwise.
struct Pose
{
    bool mirrored = false;
    int turns = 0;
    bool operator==(const Pose &) const = default;
};

// A picture in a cell: face 1..6 (0: none) and its turn as the sheet counts
// it (a quiz square's turn, a trace imprint's rotation).
struct Choice
{
    int face = 0;
    int turn = 0;
    bool operator==(const Choice &) const = default;
};

struct Cell
{
    int number = 0;            // quiz: the square 1..6; trace: 0
    die::Field field = 0;      // trace: the field; quiz: 0
    QPoint topLeft;            // of its 32 x 32 picture area, in the net's pixels
    Choice shown;              // as the sheet shows it; face 0: blank
    Choice answer;
    // Every choice that looks like the answer, the answer first: the same
    // picture in a turn that looks the same, and for a blank cell another
    // face that looks alike (tilecheck's measure, on the printed tile and on
    // the picture the page shows).
    QList<Choice> accepted;
    bool changed = false;      // the teacher hid it or turned it
    bool fixed = false;        // shown as it is, no part of the task (the trace's start)
    // The pupil chooses its picture: it is blank, or (a trace whose picture
    // grid came from elsewhere) it shows another face than the answer's.
    bool fillable = false;
};

struct Net
{
    int number = 0;            // quiz: layout 1..12; trace: 1 upper, 2 lower
    QSize size;                // 138 x 104 (a quiz net) or 430 x 232 (a trace net)
    std::array<Pose, 4> poses; // how a cell's turn 0..3 lies
    QList<Cell> cells;
    QList<std::array<QPoint, 3>> arrows;   // trace: start, tip and end of each arrowhead
    bool gridLines = false;    // trace: the silver grid of 13 x 7 fields
};

struct Exercise
{
    Kind kind = Kind::Quiz;
    QStringList task;                      // the teacher's texts on the sheet, line by line
    std::array<QImage, faceset::slotCount> pictures;   // upright, as the page shows them
    QList<Net> nets;
    Net die;                               // trace: the die's net (layout 1), shown only

    // Cells the teacher changed: the most a pupil can put right.
    int changedCount() const;
};

// The largest side of a picture on the page, in pixels.
constexpr int pictureSize = 160;

// How the sheets lay a tile: a quiz square in turn 0..3 (net::drawTile) and
// a trace imprint of rotation 0..3 (tracedraw::dokresli_pole, mirrored).
// Found by drawing a probe tile through that code.
std::array<Pose, 4> squarePoses();
std::array<Pose, 4> imprintPoses();
// An image laid in a pose.
QImage posed(const QImage &image, const Pose &pose);

// The face pictures as the page shows them: each picture file read (only a
// regular file) and scaled to at most pictureSize square, or its tile when
// the picture cannot be read.
std::array<QImage, faceset::slotCount> screenPictures(
        const faceset::Snapshot &faces, const std::array<QImage, faceset::slotCount> &tiles);

// The quiz nets that lie on the sheet, in reading order (rows from the top,
// each from the left), with the visible text images' memo lines as the task.
Exercise fromQuiz(const QuizSheet &sheet, const std::array<QImage, faceset::slotCount> &pictures);

// The trace nets the sheet shows, as drawn there (`sheetImages`: upper,
// lower, 430 x 232; a null image for a net not on the sheet), that have
// moves: every field of the path once. A field shows what its picture on
// the sheet is: the imprint of the picture grid, the rolled one, another
// imprint or a blank, found by drawing each (the 5 pixels along a field's
// sides, where arrowheads reach in, are not compared). The start field
// always shows the start imprint, as a redraw of the sheet does.
Exercise fromTrace(const TraceSheet &sheet, const std::array<QImage, 2> &sheetImages,
                   const QStringList &task, const std::array<QImage, faceset::slotCount> &pictures);

} // namespace exercise
