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

void ImageControl::mousePressEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
    emit mouseDown(event->button(), event->buttons(), event->modifiers(), p.x(), p.y());
}

void ImageControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    emit mouseDown(event->button(), event->buttons(), event->modifiers(), p.x(), p.y());
    if (event->button() == Qt::LeftButton) {
        m_leftPressed = false;
        emit doubleClicked();
    }
}

void ImageControl::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    emit mouseMove(event->buttons(), event->modifiers(), p.x(), p.y());
}

void ImageControl::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    const bool click = event->button() == Qt::LeftButton && m_leftPressed
            && rect().contains(p);
    if (event->button() == Qt::LeftButton) {
        m_leftPressed = false;
        if (mouseGrabber() == this)
            releaseMouse();
    }
    if (click)
        emit clicked();
    emit mouseUp(event->button(), event->buttons(), event->modifiers(), p.x(), p.y());
}
