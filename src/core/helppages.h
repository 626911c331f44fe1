#pragma once

#include <QList>
#include <QString>

// The two help windows' lines: label name, Tag, left, top (client
// coordinates) and the fixed text.
namespace helppages {

struct Line
{
    const char *name;
    int tag;
    int left;
    int top;
    QString text;
};

// Help on the quiz preparation window: eight lines.
QList<Line> quiz();
// Help on the trace preparation window: thirteen lines.
QList<Line> trace();

} // namespace helppages
