#pragma once

#include "helppages.h"

#include <QWidget>

// A help window: caption, outer size and place, font, background and its
// labels. The labels take their texts' sizes whenever the window is shown:
// laying the texts out costs start-up time, for windows seldom opened.
class HelpWindow : public QWidget
{
    Q_OBJECT
protected:
    HelpWindow(const char *name, const QString &caption, QRect outer, bool white,
               const QList<helppages::Line> &lines, QWidget *parent);
    void showEvent(QShowEvent *event) override;
};
