#pragma once

// Named pipes for tests of readers that must not wait on one. A reader that
// opens a pipe waits for a writer: a thread opens each for writing now and
// then, so that such a reader goes on (and reads nothing) instead of hanging
// the test, and counts how often it had to.
#include <QByteArray>
#include <QFile>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

class Pipes
{
public:
    explicit Pipes(const QStringList &paths)
    {
        for (const QString &path : paths) {
            m_paths << QFile::encodeName(path);
            m_made = m_made && mkfifo(m_paths.last().constData(), 0600) == 0;
        }
        m_thread = std::thread([this] {
            while (!m_done) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                for (const QByteArray &path : m_paths) {
                    const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK);
                    if (fd >= 0) {
                        ++m_released;
                        ::close(fd);
                    }
                }
            }
        });
    }
    ~Pipes()
    {
        m_done = true;
        m_thread.join();
    }
    bool made() const { return m_made; }
    int released() const { return m_released; }

private:
    QList<QByteArray> m_paths;
    bool m_made = true;
    std::atomic<bool> m_done = false;
    std::atomic<int> m_released = 0;
    std::thread m_thread;
};
