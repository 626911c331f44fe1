#pragma once

#include <QFont>

// The windows' font ("MS Sans Serif" in the layouts) at a pixel height.
inline QFont uiFont(int pixelHeight)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelHeight);
    return font;
}
