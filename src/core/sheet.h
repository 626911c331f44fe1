#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <functional>

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

// The sheet as BMP file bytes; empty, with the writer's reason in `error`,
// when it cannot be encoded.
QByteArray bmpBytes(const QImage &sheet, QString &error);

// A sheet as its window hands it to the printer.
struct Printed
{
    // What goes on the sheet, with or without the texts, as the window holds it.
    std::function<QList<Item>(bool withTexts)> items;
    int panelWidth = 442;   // the window's `Panel`: the page ratio is page width / this
    QString pdfName;        // offered in the start folder to Qt's PDF printer

    // The sheet's name without ".pdf": the print job's name, and "NAME.bmp"
    // is offered when the sheet is saved as a picture.
    QString name() const { return pdfName.chopped(pdfName.endsWith(QLatin1String(".pdf")) ? 4 : 0); }

    // The 440 x 600 sheet image.
    QImage compose(bool withTexts) const { return composeSheet(items(withTexts)); }
};

} // namespace sheet
