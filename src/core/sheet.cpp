#include "sheet.h"

#include "canvas.h"
#include "placement.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

namespace sheet {

QImage blankSheet()
{
    QImage image(placement::sheetWidth, placement::sheetHeight, QImage::Format_RGB32);
    Canvas canvas(image);
    canvas.rectangle(0, 0, placement::sheetWidth, placement::sheetHeight);
    return image;
}

QImage composeSheet(const QList<Item> &items)
{
    QImage image = blankSheet();
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const Item &item : items)
        painter.drawImage(item.topLeft, item.image.convertToFormat(QImage::Format_RGB32));
    painter.end();
    return image;
}

QByteArray bmpBytes(const QImage &sheet, QString &error)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "BMP");
    if (writer.write(sheet))
        return bytes;
    error = writer.errorString();
    return {};
}

} // namespace sheet
