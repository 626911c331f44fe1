#pragma once

#include <QFont>
#include <QRect>

#include <type_traits>

// The windows' font ("MS Sans Serif" in the layouts) at a pixel height.
inline QFont uiFont(int pixelHeight)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelHeight);
    return font;
}

class QAction;
class QLabel;
class QObject;
class QPushButton;
class QString;
class QWidget;

// A named control at its place in the layout; with a text, its first
// caption, title or edit text (the control's (text, parent) constructor).
// A label shows its text as plain text: texts come from files (pictures'
// paths, lessons, the language file), and rich text would load images.
template<typename T, typename... Caption>
T *makeControl(QWidget *parent, const char *name, QRect geometry, const Caption &...text)
{
    auto *control = new T(text..., parent);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
    if constexpr (std::is_base_of_v<QLabel, T>)
        control->setTextFormat(Qt::PlainText);
    return control;
}

// A label that shows `text` as plain text (see makeControl).
QLabel *plainLabel(const QString &text, QWidget *parent);
// A named push button at its place in the layout.
QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, QRect geometry);
// A named menu item right after `after` in its menu (the menu's items are
// its children); `owner` keeps it when `after` is in no menu. With a
// `gate`, the item is enabled whenever the gate is.
QAction *insertMenuItem(QAction *after, const char *name, const QString &caption, QObject *owner,
                        QAction *gate = nullptr);
