#pragma once

#include "canvas.h"

#include <QImage>
#include <QWidget>

// An image control with a pixel canvas. It owns an RGB32 image of its own
// size (white at first), paints it 1:1 and reports the mouse in control
// coordinates. The second press of a left double click is reported as a
// press and then as a double click; the second press of another button is a
// press only.
class ImageControl : public QWidget
{
    Q_OBJECT
public:
    explicit ImageControl(QWidget *parent = nullptr);

    // A press, move or release: the button pressed or released (none for a
    // move), the buttons held, the keyboard modifiers and the point in
    // control coordinates.
    struct Mouse
    {
        Qt::MouseButton button = Qt::NoButton;
        Qt::MouseButtons buttons;
        Qt::KeyboardModifiers modifiers;
        QPoint pos;
        bool turnKey() const { return modifiers & (Qt::ShiftModifier | Qt::ControlModifier); }
    };

    // Resizes the control and its image; the picture is kept where it fits.
    void setBounds(int left, int top, int width, int height);
    int left() const { return x(); }
    int top() const { return y(); }
    void setLeft(int left) { move(left, y()); }
    void setTop(int top) { move(x(), top); }
    // Moves the control to another parent keeping its Left and Top numbers.
    void changeParent(QWidget *parent);

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    QImage &image() { return m_image; }
    const QImage &image() const { return m_image; }
    Canvas &canvas() { return m_canvas; }
    void setImage(const QImage &image);

signals:
    void mouseDown(const ImageControl::Mouse &mouse);
    void mouseMove(const ImageControl::Mouse &mouse);
    void mouseUp(const ImageControl::Mouse &mouse);
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void fitImage();

    QImage m_image;
    Canvas m_canvas;
    int m_tag = 0;
    bool m_leftPressed = false;
};
