#pragma once

#include <QHash>
#include <QIcon>
#include <QProxyStyle>

// The application's style with the icons that windows make but seldom show
// read on first use: the menu bar's overflow arrows (shown only when the menu
// bar is too narrow for its menus) and the help icon of the sheet windows'
// Help buttons (shown only with their windows). The base style reads such an
// icon's image files, and loads every image format plugin, at the moment a
// widget asks for it: at start-up, for windows nobody has opened yet.
class DeferredIconStyle : public QProxyStyle
{
    Q_OBJECT
public:
    // Makes it the application's style unless it already is.
    static void install();

    QIcon standardIcon(StandardPixmap which, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;

    // The base style's icon, read once.
    QIcon readIcon(StandardPixmap which) const;

private:
    mutable QHash<int, QIcon> m_read;
};
