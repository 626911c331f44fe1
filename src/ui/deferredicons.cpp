#include "deferredicons.h"

#include <QApplication>
#include <QHash>
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

// Stands for the base style's icon and reads it when first drawn or sized.
// Every copy of one icon shares one read.
class DeferredIconEngine : public QIconEngine
{
public:
    DeferredIconEngine(QStyle *base, QStyle::StandardPixmap which) : m_base(base), m_which(which) { }

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
    QIconEngine *clone() const override { return new DeferredIconEngine(m_base, m_which); }

private:
    const QIcon &icon() const
    {
        static QHash<int, QIcon> read;
        auto found = read.find(m_which);
        if (found == read.end()) {
            QIcon icon = m_base ? m_base->standardIcon(m_which) : QIcon();
            found = read.insert(m_which, icon);
        }
        return *found;
    }

    QPointer<QStyle> m_base;
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
    return QIcon(new DeferredIconEngine(baseStyle(), which));
}
