#include "imagecontrol.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

ImageControl::ImageControl(QWidget *parent)
    : QWidget(parent), m_image(1, 1, QImage::Format_RGB32), m_canvas(m_image)
{
    m_image.fill(Qt::white);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageControl::setBounds(int left, int top, int width, int height)
{
    setGeometry(left, top, width, height);
    // A hidden control gets its resize event only when shown; the canvas
    // must have its size now, or drawing before the first show is lost.
    fitImage();
}

void ImageControl::changeParent(QWidget *parent)
{
    const QPoint pos = this->pos();
    const bool visible = isVisibleTo(parentWidget());
    setParent(parent);
    move(pos);
    setVisible(visible);
    raise();
    // Qt forgets which widget a held button belongs to when that widget
    // changes parent: a press that moved the control keeps sending it the
    // pointer's moves until the button is released.
    if (m_leftPressed && visible && (QGuiApplication::mouseButtons() & Qt::LeftButton))
        grabMouse();
}

void ImageControl::setImage(const QImage &image)
{
    m_image = image.convertToFormat(QImage::Format_RGB32);
    update();
}

void ImageControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(0, 0, m_image);
}

void ImageControl::resizeEvent(QResizeEvent *)
{
    fitImage();
}

void ImageControl::fitImage()
{
    if (m_image.size() == size().expandedTo(QSize(1, 1)))
        return;
    QImage grown(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    grown.fill(Qt::white);
    QPainter painter(&grown);
    painter.drawImage(0, 0, m_image);
    painter.end();
    m_image = grown;
}

namespace {
ImageControl::Mouse mouse(const QMouseEvent *event)
{
    return {event->button(), event->buttons(), event->modifiers(), event->position().toPoint()};
}
} // namespace

void ImageControl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
    emit mouseDown(mouse(event));
}

void ImageControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    emit mouseDown(mouse(event));
    if (event->button() == Qt::LeftButton) {
        m_leftPressed = false;
        emit doubleClicked();
    }
}

void ImageControl::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMove(mouse(event));
}

void ImageControl::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = event->button() == Qt::LeftButton && m_leftPressed
            && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton) {
        m_leftPressed = false;
        if (mouseGrabber() == this)
            releaseMouse();
    }
    if (click)
        emit clicked();
    emit mouseUp(mouse(event));
}
