#pragma once

#include "site.h"

#include <QUrl>

#include <memory>

// The web viewer's server: loopback only (127.0.0.1), on a port the system
// picks, every address behind a random token made once per run. It listens
// from the first start() until it is destroyed. Requests are answered on
// the server's own thread (GNU libmicrohttpd), never on the caller's.
namespace web {

// What one client may cost the program. A connection past `connections`
// is closed at once; so is one whose request line and headers pass
// `headerBytes` (after a 431) or that announces a body (after a 413).
struct ServerLimits
{
    int connections = 32;
    int headerBytes = 16 * 1024;
    // An idle connection, one still sending its headers, and one that
    // takes none of its answer are closed after this many seconds.
    int idleSeconds = 10;
    // While every connection is taken, one that has not sent a whole
    // request within this is closed, so that a flood of idle connections
    // does not keep a real request out for the whole idle time.
    int crowdedMs = 1000;
    // Answers waiting to be sent, all connections together; past it a
    // request gets 503.
    qint64 bufferedBytes = 128 * 1024 * 1024;
};

struct ServerStats
{
    int connections = 0;         // open and served
    qint64 bufferedBytes = 0;    // held for answers not yet sent
};

class ViewerServer
{
public:
    explicit ViewerServer(const QString &xiteFolder = web::xiteFolder(),
                          const ServerLimits &limits = {});
    ~ViewerServer();
    ViewerServer(const ViewerServer &) = delete;
    ViewerServer &operator=(const ViewerServer &) = delete;

    // Starts listening unless it already does; false when no port could be opened.
    bool start();
    bool isListening() const { return m_port != 0; }
    quint16 port() const { return m_port; }
    // The address the listening socket is bound to ("127.0.0.1"); empty
    // before start().
    QString address() const;
    // http://127.0.0.1:PORT/TOKEN/, the page.
    QUrl pageUrl() const;

    // Safe while requests are answered: they see the old or the new content whole.
    void publish(const Content &content, const QByteArray &page);

    // Serves a connected stream socket as if it had come in on the
    // listening one (the server owns it from here); false when refused.
    bool serve(int socket);

    ServerStats stats() const;

    struct Daemon;

private:
    QString m_token;
    std::unique_ptr<Daemon> m_daemon;
    quint16 m_port = 0;
};

} // namespace web
