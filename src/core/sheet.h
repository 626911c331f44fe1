#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

// The 440 x 600 sheet image that is printed or saved, and the rules that
// choose which controls of the quiz and trace windows go on it.
namespace sheet {

// One image copied whole onto the sheet, its top-left in sheet (= window)
// coordinates.
struct Item
{
    QImage image;
    QPoint topLeft;
};

// An image of a sheet window that may lie on the sheet: a text image, a
// net, the file-name box. `topLeft` is in the window's coordinates.
struct Placed
{
    QImage image;
    QPoint topLeft;
    bool visible = false;

    QRect rect() const { return QRect(topLeft, image.size()); }
};

// What the rules need to know of a named image control of a sheet window.
struct Control
{
    QString name;
    bool visible = true;  // the control's own visible flag
    bool onSheet = true;  // its parent is the window itself, not `Panel`
    QImage image;
    QPoint topLeft;       // in window coordinates
};

// White 440 x 600 with a one-pixel black frame.
QImage blankSheet();
// The blank sheet with the items copied 1:1 in order, later ones on top;
// what falls outside the sheet is cut off.
QImage composeSheet(const QList<Item> &items);

// Quiz: the thumbnails Image1..Image12 that are on the sheet; then, with
// texts on, popis, dalsipopis, dalsipopis2 and nazev when visible, and logo.
QList<Item> quizItems(const QList<Control> &controls, bool withTexts);
// Trace: with texts on, popis and nazev when visible, and logo; then Image5
// and Image4 when visible; then Image1 when it is on the sheet.
QList<Item> traceItems(const QList<Control> &controls, bool withTexts);

} // namespace sheet
