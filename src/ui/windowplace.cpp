#include "windowplace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void centreWindow(QWidget *window, const QWidget *over)
{
    QScreen *screen = over ? over->screen() : window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    const QPoint centre = over ? over->frameGeometry().center() : available.center();
    const QRect frame = window->frameGeometry();
    QPoint topLeft(centre.x() - frame.width() / 2, centre.y() - frame.height() / 2);
    if (available.isValid()) {
        topLeft.setX(qBound(available.left(), topLeft.x(),
                            qMax(available.left(), available.right() + 1 - frame.width())));
        topLeft.setY(qBound(available.top(), topLeft.y(),
                            qMax(available.top(), available.bottom() + 1 - frame.height())));
    }
    window->move(topLeft);
}
