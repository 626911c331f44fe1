#include "labelfit.h"

#include <QEvent>
#include <QLabel>
#include <QList>
#include <QPointer>

#include <utility>

namespace {

const char fitterName[] = "labelFitter";

void fitNow(QLabel *label)
{
    const int right = label->geometry().right();
    label->adjustSize();
    if (label->property("alignRight").toBool())
        label->move(right + 1 - label->width(), label->y());
}

// Sizes a hidden window's waiting labels when the window is shown; the
// window receives its show event before it is first painted.
class ShowFitter : public QObject
{
public:
    explicit ShowFitter(QWidget *window) : QObject(window)
    {
        setObjectName(QLatin1String(fitterName));
        window->installEventFilter(this);
    }

    void add(QLabel *label)
    {
        if (!waiting.contains(label))
            waiting.append(label);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == parent() && event->type() == QEvent::Show) {
            const QList<QPointer<QLabel>> labels = std::exchange(waiting, {});
            for (QLabel *label : labels) {
                if (label)
                    fitNow(label);
            }
        }
        return false;
    }

private:
    QList<QPointer<QLabel>> waiting;
};

} // namespace

void fitLabel(QLabel *label)
{
    QWidget *window = label->window();
    if (window->isVisible()) {
        fitNow(label);
        return;
    }
    auto *fitter = static_cast<ShowFitter *>(
        window->findChild<QObject *>(QLatin1String(fitterName), Qt::FindDirectChildrenOnly));
    if (!fitter)
        fitter = new ShowFitter(window);
    fitter->add(label);
}
