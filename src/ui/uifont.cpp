#include "uifont.h"

#include <QPushButton>

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, QRect geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    return button;
}
