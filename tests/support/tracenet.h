#pragma once

#include <QPoint>

// The fields of a trace net image, 33 pixels apart, columns and rows from 1.
namespace tracenet {

inline QPoint centre(int column, int row)
{
    return QPoint(33 * (column - 1) + 17, 33 * (row - 1) + 17);
}

} // namespace tracenet
