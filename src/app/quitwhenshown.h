#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <QWindow>

// Start-up timing (--quit-when-shown): leaves the event loop once the shown
// `window` has been exposed (and so painted) and the loop has run what was
// pending. Shared by vemtal and the minimal program it is compared with.
class QuitWhenShown : public QObject
{
public:
    // Call after window->show(), when the native window exists.
    explicit QuitWhenShown(QWidget *window) : QObject(window)
    {
        window->windowHandle()->installEventFilter(this);
    }

    // Removes the option from the arguments; true when it was there.
    static bool requested(QStringList &arguments)
    {
        return arguments.removeAll(QStringLiteral("--quit-when-shown")) > 0;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The window paints while it handles this event; the exit is queued
        // after it. exit() rather than quit(): no close events, so no
        // "Ukončit aplikaci?" question.
        if (event->type() == QEvent::Expose && !m_exposed) {
            m_exposed = true;
            QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_exposed = false;
};
