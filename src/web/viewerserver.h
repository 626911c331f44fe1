#pragma once

#include "site.h"

#include <QHttpServer>
#include <QUrl>

// The web viewer's server: loopback only (127.0.0.1), on a port the system
// picks, every address behind a random token made once per run. It listens
// from the first start() until it is destroyed.
namespace web {

class ViewerServer
{
public:
    explicit ViewerServer(const QString &xiteFolder = web::xiteFolder());

    // Starts listening unless it already does; false when no port could be opened.
    bool start();
    bool isListening() const { return m_port != 0; }
    quint16 port() const { return m_port; }
    // http://127.0.0.1:PORT/TOKEN/, the page.
    QUrl pageUrl() const;

    void publish(const Content &content, const QByteArray &page) { m_site.publish(content, page); }

    QHttpServer &http() { return m_http; }

private:
    QString m_token;
    Site m_site;
    QHttpServer m_http;
    quint16 m_port = 0;
};

} // namespace web
