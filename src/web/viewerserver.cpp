#include "viewerserver.h"

#include <QHostAddress>
#include <QHttpServerRequest>
#include <QHttpServerResponse>
#include <QRandomGenerator>

namespace web {

namespace {

QString randomToken()
{
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(words), sizeof words).toHex());
}

QByteArray methodName(QHttpServerRequest::Method method)
{
    switch (method) {
    case QHttpServerRequest::Method::Get:
        return "GET";
    case QHttpServerRequest::Method::Head:
        return "HEAD";
    default:
        return "OTHER";
    }
}

QByteArray hostOf(const QHttpServerRequest &request)
{
    for (const auto &[name, value] : request.headers())
        if (name.compare("host", Qt::CaseInsensitive) == 0)
            return value;
    return {};
}

} // namespace

ViewerServer::ViewerServer(const QString &xiteFolder)
    : m_token(randomToken()), m_site(m_token, xiteFolder)
{
    // One rule takes every path; the site decides, by its list, what exists.
    m_http.route(QStringLiteral("/<arg>"), [this](const QUrl &, const QHttpServerRequest &request) {
        const Target target = m_site.resolve(methodName(request.method()), hostOf(request),
                                             request.url().path());
        const Reply reply = m_site.reply(target);
        QHttpServerResponse response(reply.type, reply.body,
                                     QHttpServerResponse::StatusCode(reply.status));
        if (reply.status == 405)
            response.setHeader("Allow", "GET");
        if (reply.current)
            response.setHeader("Cache-Control", "no-store");
        return response;
    });
    m_http.afterRequest([](QHttpServerResponse &&response) {
        response.setHeader("X-Content-Type-Options", "nosniff");
        response.setHeader("Referrer-Policy", "no-referrer");
        return std::move(response);
    });
}

bool ViewerServer::start()
{
    if (m_port != 0)
        return true;
    m_port = m_http.listen(QHostAddress::LocalHost, 0);
    if (m_port != 0)
        m_site.setHost("127.0.0.1:" + QByteArray::number(m_port));
    return m_port != 0;
}

QUrl ViewerServer::pageUrl() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1/%2/").arg(m_port).arg(m_token));
}

} // namespace web
