// The smallest Qt Widgets program with one window: the yardstick for
// vemtal's start-up. With --quit-when-shown it leaves as vemtal does.
#include "quitwhenshown.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QStringList arguments = QApplication::arguments().mid(1);
    const bool quitWhenShown = QuitWhenShown::requested(arguments);
    QLabel window(QStringLiteral("vemtal"));
    window.resize(400, 300);
    window.show();
    if (quitWhenShown)
        new QuitWhenShown(&window);
    return app.exec();
}
