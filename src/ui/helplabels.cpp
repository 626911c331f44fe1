#include "helplabels.h"

#include "uifont.h"

#include <QLabel>
#include <QPalette>

void buildHelpWindow(QWidget *window, const char *name, const QString &caption, QRect outer,
                     bool white, const std::initializer_list<HelpLine> &lines)
{
    window->setObjectName(QLatin1String(name));
    window->setWindowFlag(Qt::Window);
    window->setWindowTitle(caption);
    window->setFont(uiFont(11));
    if (white) {
        QPalette palette = window->palette();
        palette.setColor(QPalette::Window, Qt::white);
        window->setPalette(palette);
        window->setAutoFillBackground(true);
    }
    // The layouts give the outer size; the client area is that less a
    // usual frame and title bar.
    window->resize(outer.width() - 16, outer.height() - 39);
    window->move(outer.topLeft());
    for (const HelpLine &line : lines) {
        auto *label = new QLabel(line.text, window);
        label->setObjectName(QLatin1String(line.name));
        label->setProperty("Tag", line.tag);
        label->setProperty("autoSize", true);
        label->move(line.left, line.top);
        label->adjustSize();
    }
}
