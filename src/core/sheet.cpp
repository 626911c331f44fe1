#include "sheet.h"

#include "canvas.h"
#include "placement.h"

#include <QPainter>

namespace sheet {

namespace {

const Control *find(const QList<Control> &controls, const QString &name)
{
    for (const Control &c : controls)
        if (c.name == name)
            return &c;
    return nullptr;
}

void addIf(QList<Item> &items, const Control *c, bool condition)
{
    if (c && condition)
        items.append({c->image, c->topLeft});
}

const QStringList textNames{QStringLiteral("popis"), QStringLiteral("dalsipopis"),
                            QStringLiteral("dalsipopis2"), QStringLiteral("nazev")};

} // namespace

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

QList<Item> quizItems(const QList<Control> &controls, bool withTexts)
{
    QList<Item> items;
    for (int k = 1; k <= 12; ++k) {
        const Control *c = find(controls, QStringLiteral("Image%1").arg(k));
        addIf(items, c, c && c->onSheet);
    }
    if (withTexts) {
        for (const QString &name : textNames) {
            const Control *c = find(controls, name);
            addIf(items, c, c && c->visible);
        }
        addIf(items, find(controls, QStringLiteral("logo")), true);
    }
    return items;
}

QList<Item> traceItems(const QList<Control> &controls, bool withTexts)
{
    QList<Item> items;
    if (withTexts) {
        for (const char *name : {"popis", "nazev"}) {
            const Control *c = find(controls, QLatin1String(name));
            addIf(items, c, c && c->visible);
        }
        addIf(items, find(controls, QStringLiteral("logo")), true);
    }
    for (const char *name : {"Image5", "Image4"}) {
        const Control *c = find(controls, QLatin1String(name));
        addIf(items, c, c && c->visible);
    }
    const Control *thumbnail = find(controls, QStringLiteral("Image1"));
    addIf(items, thumbnail, thumbnail && thumbnail->onSheet);
    return items;
}

} // namespace sheet
