#pragma once

#include <QString>
#include <QWidget>

// One line of a help window: label name, Tag, left, top, text.
struct HelpLine
{
    const char *name;
    int tag;
    int left;
    int top;
    QString text;
};

// Sets up a help window: caption, outer size and place, font, background and
// its labels.
void buildHelpWindow(QWidget *window, const char *name, const QString &caption, QRect outer,
                     bool white, const std::initializer_list<HelpLine> &lines);
