#include "viewerserver.h"

#include <QRandomGenerator>

#include <microhttpd.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <set>
#include <thread>

namespace web {

namespace {

using Clock = std::chrono::steady_clock;

QString randomToken()
{
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(words), sizeof words).toHex());
}

// One client connection, from accept to close. Its fields are guarded by
// Daemon::clientMutex.
struct Client
{
    int socket = -1;
    bool refused = false;   // over the connection limit: closed at once
    bool busy = false;      // a whole request is in and being answered
    bool closing = false;   // shut down by the sweeper
    Clock::time_point waitingSince;  // for the next request line and headers
};

sockaddr_in loopback()
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

} // namespace

struct ViewerServer::Daemon
{
    Daemon(const QString &token, const QString &xiteFolder, const ServerLimits &limits)
        : limits(limits), site(std::make_shared<Site>(token, xiteFolder))
    {
    }
    ~Daemon()
    {
        if (sweeper.joinable()) {
            sweeper.request_stop();
            sweeper.join();
        }
        if (mhd)
            MHD_stop_daemon(mhd);
    }

    bool start();
    std::shared_ptr<const Site> currentSite() const
    {
        const std::lock_guard lock(siteMutex);
        return site;
    }
    void sweep(std::stop_token stop);

    const ServerLimits limits;
    MHD_Daemon *mhd = nullptr;

    mutable std::mutex siteMutex;
    std::shared_ptr<const Site> site;   // replaced whole by publish(), never changed

    mutable std::mutex clientMutex;
    std::set<Client *> clients;         // served ones, not the refused
    std::condition_variable_any wake;
    std::jthread sweeper;

    std::atomic<qint64> buffered{0};
};

namespace {

ViewerServer::Daemon &daemonOf(void *cls)
{
    return *static_cast<ViewerServer::Daemon *>(cls);
}

Client *clientOf(MHD_Connection *connection)
{
    const MHD_ConnectionInfo *info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_SOCKET_CONTEXT);
    return info ? static_cast<Client *>(info->socket_context) : nullptr;
}

// Counts a connection in when it is accepted, or shuts it at once when
// the limit is reached. The library's own limit is set higher, so that it
// keeps accepting (and so closing) instead of leaving clients waiting.
void connectionEvent(void *cls, MHD_Connection *connection, void **context,
                     MHD_ConnectionNotificationCode code)
{
    ViewerServer::Daemon &d = daemonOf(cls);
    const std::lock_guard lock(d.clientMutex);
    if (code == MHD_CONNECTION_NOTIFY_STARTED) {
        auto *client = new Client;
        client->socket = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD)->connect_fd;
        client->waitingSince = Clock::now();
        if (qsizetype(d.clients.size()) >= d.limits.connections) {
            client->refused = true;
            ::shutdown(client->socket, SHUT_RDWR);
        } else {
            d.clients.insert(client);
        }
        *context = client;
    } else if (auto *client = static_cast<Client *>(*context)) {
        // Called before the library closes the socket: the sweeper never
        // touches a closed descriptor.
        d.clients.erase(client);
        delete client;
        *context = nullptr;
    }
}

// A request is over (answered or broken off): the next one's headers
// have the whole time again.
void requestDone(void *cls, MHD_Connection *connection, void **, MHD_RequestTerminationCode)
{
    ViewerServer::Daemon &d = daemonOf(cls);
    const std::lock_guard lock(d.clientMutex);
    if (Client *client = clientOf(connection)) {
        client->busy = false;
        client->waitingSince = Clock::now();
    }
}

// The path reaches the site as it was sent; it is decoded once, below.
size_t keepEscapes(void *, MHD_Connection *, char *uri)
{
    return std::strlen(uri);
}

MHD_Result onHeader(void *cls, MHD_ValueKind, const char *key, const char *value)
{
    bool &body = *static_cast<bool *>(cls);
    if (qstricmp(key, MHD_HTTP_HEADER_TRANSFER_ENCODING) == 0)
        body = true;
    if (qstricmp(key, MHD_HTTP_HEADER_CONTENT_LENGTH) == 0) {
        bool number = false;
        body |= QByteArray(value).trimmed().toULongLong(&number) != 0 || !number;
    }
    return MHD_YES;
}

// Every Content-Length and Transfer-Encoding header, not only the first.
bool announcesBody(MHD_Connection *connection)
{
    bool body = false;
    MHD_get_connection_values(connection, MHD_HEADER_KIND, &onHeader, &body);
    return body;
}

void addCommonHeaders(MHD_Response *response, const QByteArray &type)
{
    MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, type.constData());
    MHD_add_response_header(response, "X-Content-Type-Options", "nosniff");
    MHD_add_response_header(response, "Referrer-Policy", "no-referrer");
}

// A short plain answer, then the connection is closed.
MHD_Result refuse(MHD_Connection *connection, unsigned status, const char *text)
{
    MHD_Response *response = MHD_create_response_from_buffer(std::strlen(text), const_cast<char *>(text),
                                                             MHD_RESPMEM_PERSISTENT);
    if (!response)
        return MHD_NO;
    addCommonHeaders(response, "text/plain; charset=utf-8");
    MHD_add_response_header(response, MHD_HTTP_HEADER_CONNECTION, "close");
    const MHD_Result queued = MHD_queue_response(connection, status, response);
    MHD_destroy_response(response);
    return queued;
}

struct HeldBody
{
    ViewerServer::Daemon *daemon;
    QByteArray bytes;
};

void releaseBody(void *cls)
{
    auto *held = static_cast<HeldBody *>(cls);
    held->daemon->buffered -= held->bytes.size();
    delete held;
}

MHD_Result send(ViewerServer::Daemon &d, MHD_Connection *connection, const Reply &reply)
{
    const qint64 size = reply.body.size();
    if (d.buffered.fetch_add(size) + size > d.limits.bufferedBytes) {
        d.buffered -= size;
        return refuse(connection, MHD_HTTP_SERVICE_UNAVAILABLE, "Busy\n");
    }
    auto *held = new HeldBody{&d, reply.body};
    MHD_Response *response = MHD_create_response_from_buffer_with_free_callback_cls(
            size_t(size), const_cast<char *>(held->bytes.constData()), &releaseBody, held);
    if (!response) {
        releaseBody(held);
        return MHD_NO;
    }
    addCommonHeaders(response, reply.type);
    if (reply.status == MHD_HTTP_METHOD_NOT_ALLOWED)
        MHD_add_response_header(response, MHD_HTTP_HEADER_ALLOW, "GET, HEAD");
    if (reply.current)
        MHD_add_response_header(response, MHD_HTTP_HEADER_CACHE_CONTROL, "no-store");
    const MHD_Result queued = MHD_queue_response(connection, unsigned(reply.status), response);
    MHD_destroy_response(response);
    return queued;
}

// Called once when the headers are in (nothing of a body has been read),
// then again to answer. HEAD gets the same answer; the library leaves the
// body out.
MHD_Result answer(void *cls, MHD_Connection *connection, const char *url, const char *method,
                  const char *, const char *, size_t *uploadSize, void **request)
{
    ViewerServer::Daemon &d = daemonOf(cls);
    Client *client = clientOf(connection);
    if (!client || client->refused)
        return MHD_NO;
    if (!*request) {
        *request = client;
        {
            const std::lock_guard lock(d.clientMutex);
            client->busy = true;
        }
        const MHD_ConnectionInfo *header = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_REQUEST_HEADER_SIZE);
        if (!header || header->header_size > size_t(d.limits.headerBytes))
            return refuse(connection, MHD_HTTP_REQUEST_HEADER_FIELDS_TOO_LARGE, "Request header fields too large\n");
        if (announcesBody(connection))
            return refuse(connection, MHD_HTTP_CONTENT_TOO_LARGE, "No request body is accepted\n");
        return MHD_YES;
    }
    if (*uploadSize != 0)
        return MHD_NO;
    const std::shared_ptr<const Site> site = d.currentSite();
    const char *host = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_HOST);
    const QString path = QString::fromUtf8(QByteArray::fromPercentEncoding(QByteArray(url)));
    return send(d, connection, site->reply(site->resolve(QByteArray(method), QByteArray(host), path)));
}

} // namespace

bool ViewerServer::Daemon::start()
{
    sockaddr_in address = loopback();
    mhd = MHD_start_daemon(
            MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_EPOLL | MHD_USE_ITC, 0, nullptr, nullptr,
            &answer, this,
            MHD_OPTION_SOCK_ADDR, reinterpret_cast<sockaddr *>(&address),
            MHD_OPTION_CONNECTION_LIMIT, unsigned(2 * limits.connections),
            MHD_OPTION_CONNECTION_TIMEOUT, unsigned(limits.idleSeconds),
            // Room for the headers and the answer's own: a request line too
            // long for it gets the library's 414, other headers its 431.
            MHD_OPTION_CONNECTION_MEMORY_LIMIT, size_t(2 * limits.headerBytes),
            MHD_OPTION_NOTIFY_CONNECTION, &connectionEvent, this,
            MHD_OPTION_NOTIFY_COMPLETED, &requestDone, this,
            MHD_OPTION_UNESCAPE_CALLBACK, &keepEscapes, this,
            MHD_OPTION_END);
    if (!mhd)
        return false;
    sweeper = std::jthread([this](std::stop_token stop) { sweep(stop); });
    return true;
}

// The library's timeout counts from a client's last byte: a client that
// sends its headers a byte at a time is closed here, by its deadline.
void ViewerServer::Daemon::sweep(std::stop_token stop)
{
    using std::chrono::milliseconds;
    const milliseconds idle = std::chrono::seconds(limits.idleSeconds);
    const milliseconds crowded = std::min(idle, milliseconds(limits.crowdedMs));
    const milliseconds period = std::clamp(crowded / 4, milliseconds(20), milliseconds(250));
    std::unique_lock lock(clientMutex);
    while (!wake.wait_for(lock, stop, period, [&stop] { return stop.stop_requested(); })) {
        const Clock::time_point now = Clock::now();
        const milliseconds allowed = qsizetype(clients.size()) >= limits.connections ? crowded : idle;
        for (Client *client : clients) {
            if (!client->busy && !client->closing && now - client->waitingSince >= allowed) {
                client->closing = true;
                ::shutdown(client->socket, SHUT_RDWR);
            }
        }
    }
}

ViewerServer::ViewerServer(const QString &xiteFolder, const ServerLimits &limits)
    : m_token(randomToken()), m_daemon(std::make_unique<Daemon>(m_token, xiteFolder, limits))
{
}

ViewerServer::~ViewerServer() = default;

bool ViewerServer::start()
{
    if (m_port != 0)
        return true;
    if (!m_daemon->mhd && !m_daemon->start())
        return false;
    const MHD_DaemonInfo *info = MHD_get_daemon_info(m_daemon->mhd, MHD_DAEMON_INFO_BIND_PORT);
    if (!info || info->port == 0)
        return false;
    // Until now the site has no page and answers 404 to everything.
    {
        const std::lock_guard lock(m_daemon->siteMutex);
        auto site = std::make_shared<Site>(*m_daemon->site);
        site->setHost("127.0.0.1:" + QByteArray::number(info->port));
        m_daemon->site = std::move(site);
    }
    m_port = info->port;
    return true;
}

QString ViewerServer::address() const
{
    if (!m_daemon->mhd)
        return {};
    const MHD_DaemonInfo *info = MHD_get_daemon_info(m_daemon->mhd, MHD_DAEMON_INFO_LISTEN_FD);
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    char text[INET_ADDRSTRLEN] = {};
    if (!info || ::getsockname(info->listen_fd, reinterpret_cast<sockaddr *>(&bound), &length) != 0
        || bound.sin_family != AF_INET || !::inet_ntop(AF_INET, &bound.sin_addr, text, sizeof text))
        return {};
    return QString::fromLatin1(text);
}

QUrl ViewerServer::pageUrl() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1/%2/").arg(m_port).arg(m_token));
}

void ViewerServer::publish(const Content &content, const QByteArray &page)
{
    const std::lock_guard lock(m_daemon->siteMutex);
    auto site = std::make_shared<Site>(*m_daemon->site);
    site->publish(content, page);
    m_daemon->site = std::move(site);
}

bool ViewerServer::serve(int socket)
{
    if (!m_daemon->mhd) {
        ::close(socket);
        return false;
    }
    const sockaddr_in peer = loopback();
    return MHD_add_connection(m_daemon->mhd, socket, reinterpret_cast<const sockaddr *>(&peer),
                              sizeof peer) == MHD_YES;
}

ServerStats ViewerServer::stats() const
{
    ServerStats stats;
    {
        const std::lock_guard lock(m_daemon->clientMutex);
        stats.connections = int(m_daemon->clients.size());
    }
    stats.bufferedBytes = m_daemon->buffered;
    return stats;
}

} // namespace web
