#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>

// The 440 x 600 sheet image that is printed or saved: the items that the
// quiz and trace sheets (QuizSheet::items, TraceSheet::items) put on it.
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

// White 440 x 600 with a one-pixel black frame.
QImage blankSheet();
// The blank sheet with the items copied 1:1 in order, later ones on top;
// what falls outside the sheet is cut off.
QImage composeSheet(const QList<Item> &items);

} // namespace sheet
