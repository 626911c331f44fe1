#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

// Start-up timing (--quit-when-shown): quits the application once `window`
// has been painted for the first time and the event loop has run what was
// pending. Shared by vemtal and the minimal program it is compared with.
class QuitWhenShown : public QObject
{
public:
    explicit QuitWhenShown(QWidget *window) : QObject(window) { window->installEventFilter(this); }

    static bool requested(QStringList &arguments)
    {
        return arguments.removeAll(QStringLiteral("--quit-when-shown")) > 0;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_painted = false;
};
