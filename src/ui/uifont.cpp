#include "uifont.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, QRect geometry)
{
    return makeControl<QPushButton>(parent, name, geometry, caption);
}

QAction *insertMenuItem(QAction *after, const char *name, const QString &caption, QObject *owner,
                        QAction *gate)
{
    auto *menu = qobject_cast<QMenu *>(after->parent());
    auto *item = new QAction(caption, menu ? static_cast<QObject *>(menu) : owner);
    item->setObjectName(QLatin1String(name));
    if (menu) {
        const QList<QAction *> items = menu->actions();
        menu->insertAction(items.value(items.indexOf(after) + 1), item);
    }
    if (gate) {
        item->setEnabled(gate->isEnabled());
        QObject::connect(gate, &QAction::enabledChanged, item, &QAction::setEnabled);
    }
    return item;
}

QLabel *plainLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}
