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

// A help window: caption, outer size and place, font, background and its
// labels. The labels take their texts' sizes whenever the window is shown:
// laying the texts out costs start-up time, for windows seldom opened.
class HelpWindow : public QWidget
{
    Q_OBJECT
protected:
    HelpWindow(const char *name, const QString &caption, QRect outer, bool white,
               const std::initializer_list<HelpLine> &lines, QWidget *parent);
    void showEvent(QShowEvent *event) override;
};
