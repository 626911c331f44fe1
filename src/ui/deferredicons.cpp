#include "deferredicons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>

namespace {

bool deferred(QStyle::StandardPixmap which)
{
    return which == QStyle::SP_ToolBarHorizontalExtensionButton
        || which == QStyle::SP_ToolBarVerticalExtensionButton
        || which == QStyle::SP_DialogHelpButton;
}

// Stands for the style's icon and reads it when first drawn or sized.
class DeferredIconEngine : public QIconEngine
{
public:
    DeferredIconEngine(const DeferredIconStyle *style, QStyle::StandardPixmap which)
        : m_style(const_cast<DeferredIconStyle *>(style)), m_which(which)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    // The deferred icons are ones every style has.
    bool isNull() override { return false; }
    QIconEngine *clone() const override { return new DeferredIconEngine(m_style, m_which); }

private:
    QIcon icon() const { return m_style ? m_style->readIcon(m_which) : QIcon(); }

    QPointer<DeferredIconStyle> m_style;
    QStyle::StandardPixmap m_which;
};

} // namespace

void DeferredIconStyle::install()
{
    if (!qobject_cast<DeferredIconStyle *>(QApplication::style()))
        QApplication::setStyle(new DeferredIconStyle);
}

QIcon DeferredIconStyle::standardIcon(StandardPixmap which, const QStyleOption *option,
                                      const QWidget *widget) const
{
    if (option || !deferred(which))
        return QProxyStyle::standardIcon(which, option, widget);
    return QIcon(new DeferredIconEngine(this, which));
}

QIcon DeferredIconStyle::readIcon(StandardPixmap which) const
{
    auto found = m_read.constFind(which);
    if (found == m_read.constEnd())
        found = m_read.insert(which, baseStyle()->standardIcon(which));
    return *found;
}
