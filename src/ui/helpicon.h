#pragma once

#include <QIcon>
#include <QStyle>

// The icon of the windows' Help buttons. The style reads its image files
// at every standardIcon() call; the icon is read once and shared.
inline QIcon helpIcon(const QStyle *style)
{
    static const QIcon icon = style->standardIcon(QStyle::SP_DialogHelpButton);
    return icon;
}
