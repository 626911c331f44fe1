#pragma once

#include "faceset.h"
#include "languagetexts.h"

#include <QImage>
#include <QList>
#include <QString>
#include <array>

// Face pictures that cannot carry a sheet's task: a tile that looks the same
// turned (the quiz asks which pictures are turned, the trace which way an
// imprint lies), a tile that looks the same mirrored (trace imprints are
// mirrored), and faces whose tiles look alike.
namespace tilecheck {

using Tiles = std::array<QImage, faceset::slotCount>;

// What a pupil cannot tell apart on a printed sheet. A tile pixel prints
// about 0.4 mm wide (a 440-pixel sheet across a page), so:
// - the colour difference of two tiles is averaged over each pixel's 3 x 3
//   neighbourhood (pixels outside the tile differ by 0), and no average may
//   exceed `colourTolerance` in red, green or blue (a quarter of the 0..255
//   scale). A single differing pixel (at most 255 / 9 = 28) and a faint
//   gradient pass; a 2 x 2 mark (113), a one-pixel black line (85) or any
//   larger clear mark does not;
// - a whole picture one pixel off in any direction is the same picture
//   (a letter or a circle drawn off the tile's centre by a pixel stays
//   symmetric); the row or column that a shift uncovers is not compared.
constexpr int colourTolerance = 64;

// Both tiles 32 x 32; pixels a tile lacks count as white.
bool looksAlike(const QImage &a, const QImage &b);

enum class Sheet { Quiz, Trace };

// Faces are numbered 1..6 (face set slots 0..5), each list ascending.
struct Findings
{
    // Alike after a quarter or a half turn.
    QList<int> turned;
    // Trace only: the mirrored tile, mirrored(x, y) = tile(31 - x, y), is
    // alike to the tile in some turn. Imprints are the mirrored tile in any
    // turn, so this is a symmetry about any of the four axes, and such a
    // picture prints as if it were not mirrored at all.
    QList<int> mirrored;
    // Groups of two or more faces, one tile alike to another in some turn;
    // for the trace also mirrored: the imprint of one face then shows the
    // other's picture, so matching imprints to the net finds both.
    QList<QList<int>> alike;

    bool isEmpty() const { return turned.isEmpty() && mirrored.isEmpty() && alike.isEmpty(); }
    bool operator==(const Findings &) const = default;
};

Findings check(const Tiles &tiles, Sheet sheet);

// The message's line patterns; %1 stands for the face numbers ("3" or
// "1, 4, 5").
struct Texts
{
    QString turnedOne, turnedMany, mirroredOne, mirroredMany, alike;
};

// The patterns of the language texts.
Texts texts(const LanguageTexts &language);

// One line per finding; empty when nothing was found.
QString message(const Findings &findings, const Texts &texts);

// Tells once per face set: remembers the tiles it last checked and gives a
// message only for tiles that differ from them.
class Warning
{
public:
    explicit Warning(Sheet sheet) : m_sheet(sheet) { }
    // The message for new tiles with findings; empty for the tiles last
    // checked or for tiles with nothing to tell.
    QString take(const Tiles &tiles, const Texts &texts);

private:
    Sheet m_sheet;
    Tiles m_checked;   // null until the first check
};

} // namespace tilecheck
