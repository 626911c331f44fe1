#include "helpwindow.h"

#include "uifont.h"

#include <QLabel>
#include <QPalette>

HelpWindow::HelpWindow(const char *name, const QString &caption, QRect outer, bool white,
                       const QList<helppages::Line> &lines, QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QLatin1String(name));
    setWindowTitle(caption);
    setFont(uiFont(11));
    if (white) {
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, Qt::white);
        setPalette(palette);
        setAutoFillBackground(true);
    }
    // The layouts give the outer size; the client area is that less a
    // usual frame and title bar.
    resize(outer.width() - 16, outer.height() - 39);
    move(outer.topLeft());
    for (const helppages::Line &line : lines) {
        auto *label = plainLabel(line.text, this);
        label->setObjectName(QLatin1String(line.name));
        label->setProperty("Tag", line.tag);
        label->move(line.left, line.top);
    }
}

void HelpWindow::showEvent(QShowEvent *event)
{
    for (QLabel *label : findChildren<QLabel *>())
        label->adjustSize();
    QWidget::showEvent(event);
}
