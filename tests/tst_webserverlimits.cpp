// The web viewer's server under clients that do not play fair: each one
// is a real socket to the real server over the loopback. Every loop is
// bounded in count and time; times are only generous liveness bounds.
#include "cubemodel.h"
#include "filelimit.h"
#include "model.h"
#include "testfiles.h"
#include "viewerserver.h"
#include "webcontent.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QString xiteFolder()
{
    return QStringLiteral(VEMTAL_XITE_DIR);
}

using testfiles::demo;

web::Content content()
{
    QTemporaryDir start;
    CubeModel model(start.path(), 1);
    FaceSet faces;
    faces.setPicture(0, demo("1-predni.jpg"));
    if (model.assemble(LanguageTexts(), faces))
        return {};
    return web::makeContent(model, QStringLiteral("prot1.wrl"));
}

qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    return statm.readAll().split(' ').value(1).toLongLong() * sysconf(_SC_PAGESIZE);
}

int openDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
}

// A plain blocking-free client socket: what is sent is sent as it is.
class Client
{
public:
    explicit Client(quint16 port)
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (m_fd >= 0 && ::connect(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
            ::close(m_fd);
            m_fd = -1;
        }
        if (m_fd >= 0)
            ::fcntl(m_fd, F_SETFL, O_NONBLOCK);
    }
    ~Client()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool isValid() const { return m_fd >= 0; }

    // Sends `bytes` (repeated `times`) while reading whatever comes back,
    // until all is sent, the server closes, or `ms` pass.
    qint64 send(const QByteArray &bytes, qint64 times = 1, int ms = 5000)
    {
        qint64 sent = 0;
        const qint64 total = bytes.size() * times;
        QElapsedTimer clock;
        clock.start();
        while (sent < total && !m_closed && clock.elapsed() < ms) {
            pollfd p{m_fd, short(POLLIN | POLLOUT), 0};
            if (::poll(&p, 1, 50) <= 0)
                continue;
            if (p.revents & (POLLIN | POLLHUP | POLLERR))
                readSome();
            if (m_closed || !(p.revents & POLLOUT))
                continue;
            const qint64 at = sent % bytes.size();
            const ssize_t n = ::send(m_fd, bytes.constData() + at, size_t(bytes.size() - at), MSG_NOSIGNAL);
            if (n > 0)
                sent += n;
            else if (n < 0 && errno != EAGAIN && errno != EINTR)
                m_closed = true;
        }
        return sent;
    }
    // Reads until the server closes the connection or `ms` pass; true when it closed.
    bool waitClosed(int ms)
    {
        QElapsedTimer clock;
        clock.start();
        while (!m_closed && clock.elapsed() < ms) {
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, 50) > 0)
                readSome();
        }
        return m_closed;
    }
    // Reads until `count` answers are in whole (or the connection closes, or `ms` pass).
    bool waitAnswers(int count, int ms = 5000)
    {
        QElapsedTimer clock;
        clock.start();
        while (answers().size() < count && !m_closed && clock.elapsed() < ms) {
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, 50) > 0)
                readSome();
        }
        return answers().size() >= count;
    }
    // Reads until `done(received)` holds (or the connection closes, or `ms` pass).
    template<typename Done>
    bool waitFor(Done done, int ms = 5000)
    {
        QElapsedTimer clock;
        clock.start();
        while (!done(m_received) && !m_closed && clock.elapsed() < ms) {
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, 50) > 0)
                readSome();
        }
        return done(m_received);
    }
    bool closed() const { return m_closed; }
    const QByteArray &received() const { return m_received; }

    // The answers received so far: status and body. A HEAD answer is
    // read as if it had no body (pass `head`).
    struct Answer
    {
        int status;
        QByteArray headers;
        QByteArray body;
    };
    QList<Answer> answers(bool head = false) const
    {
        QList<Answer> list;
        qsizetype at = 0;
        for (;;) {
            const qsizetype end = m_received.indexOf("\r\n\r\n", at);
            if (end < 0)
                break;
            Answer answer;
            answer.headers = m_received.mid(at, end - at).toLower();
            answer.status = answer.headers.mid(9, 3).toInt();
            const qsizetype field = answer.headers.indexOf("\r\ncontent-length:");
            const qint64 length = head || field < 0 ? 0
                    : answer.headers.mid(field + 17, answer.headers.indexOf('\r', field + 2) - field - 17).trimmed().toLongLong();
            if (m_received.size() < end + 4 + length)
                break;
            answer.body = m_received.mid(end + 4, length);
            list << answer;
            at = end + 4 + length;
        }
        return list;
    }

private:
    void readSome()
    {
        char chunk[65536];
        for (int i = 0; i < 64; ++i) {
            const ssize_t n = ::recv(m_fd, chunk, sizeof chunk, 0);
            if (n > 0) {
                m_received.append(chunk, n);
            } else {
                if (n == 0 || (errno != EAGAIN && errno != EINTR))
                    m_closed = true;
                return;
            }
        }
    }

    int m_fd = -1;
    bool m_closed = false;
    QByteArray m_received;
};

QByteArray get(const QByteArray &path, quint16 port, const QByteArray &version = "HTTP/1.1",
               const QByteArray &extra = {})
{
    return "GET " + path + ' ' + version + "\r\nHost: 127.0.0.1:" + QByteArray::number(port) + "\r\n"
            + extra + "\r\n";
}

// Holds `count` connections that each send the start of a request and no
// more, from a child process (so that its sockets do not count against
// this process's limit), for `holdMs`. Only system calls run in the child.
pid_t flood(quint16 port, int count, int holdMs)
{
    const pid_t child = ::fork();
    if (child != 0)
        return child;
    ::alarm(30);
    static const char partial[] = "GET / HTTP/1.1\r\nHost: x\r\n";
    static int sockets[2048];
    const int n = count < 2048 ? count : 2048;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    for (int i = 0; i < n; ++i) {
        sockets[i] = ::socket(AF_INET, SOCK_STREAM, 0);
        if (sockets[i] >= 0 && ::connect(sockets[i], reinterpret_cast<sockaddr *>(&address), sizeof address) == 0)
            ::send(sockets[i], partial, sizeof partial - 1, MSG_NOSIGNAL);
    }
    timespec hold{holdMs / 1000, (holdMs % 1000) * 1000000L};
    ::nanosleep(&hold, nullptr);
    ::_exit(0);
}

} // namespace

class tst_WebServerLimits : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<web::ViewerServer> m_server;
    QByteArray m_prefix;

    void startServer(const web::ServerLimits &limits)
    {
        m_server = std::make_unique<web::ViewerServer>(xiteFolder(), limits);
        QVERIFY(m_server->start());
        m_server->publish(content(), "<html>page</html>");
        m_prefix = m_server->pageUrl().path().toLatin1();
    }
    quint16 port() const { return m_server->port(); }
    // Waits for the server's count of connections to settle at `count`.
    bool waitConnections(int count, int ms = 5000)
    {
        return QTest::qWaitFor([&] { return m_server->stats().connections == count; }, ms);
    }
    // A real request on a fresh connection: its status, or 0.
    int realRequest()
    {
        Client client(port());
        client.send(get(m_prefix + "model.wrl", port()));
        return client.waitAnswers(1, 3000) ? client.answers().first().status : 0;
    }

private slots:
    void cleanup()
    {
        m_server.reset();
    }

    // What the program does at start.
    void fileLimitIsRaisedToTheHardOne()
    {
        rlimit saved{};
        QVERIFY(::getrlimit(RLIMIT_NOFILE, &saved) == 0);
        auto restore = qScopeGuard([&] { ::setrlimit(RLIMIT_NOFILE, &saved); });
        rlimit low = saved;
        low.rlim_cur = 256;
        QVERIFY(::setrlimit(RLIMIT_NOFILE, &low) == 0);
        QVERIFY(filelimit::raiseToHard());
        rlimit now{};
        QVERIFY(::getrlimit(RLIMIT_NOFILE, &now) == 0);
        QCOMPARE(now.rlim_cur, saved.rlim_max);
        QCOMPARE(now.rlim_max, saved.rlim_max);
    }

    void connectionsPastTheLimitAreClosedAtOnce()
    {
        web::ServerLimits limits;
        limits.connections = 4;
        limits.crowdedMs = 10000;
        startServer(limits);
        std::vector<std::unique_ptr<Client>> held;
        for (int i = 0; i < limits.connections; ++i) {
            held.push_back(std::make_unique<Client>(port()));
            held.back()->send("GET / HTTP/1.1\r\n");
        }
        QVERIFY(waitConnections(limits.connections));
        Client further(port());
        QVERIFY(further.isValid());
        QVERIFY(further.waitClosed(2000));
        QCOMPARE(realRequest(), 0);
        for (const auto &client : held)
            QVERIFY(!client->closed());
        held.pop_back();
        QVERIFY(waitConnections(limits.connections - 1));
        QCOMPARE(realRequest(), 200);
    }

    // While every place is taken, connections that have not sent a whole
    // request are closed after a short while; not while places are free.
    void crowdedIdleConnectionsAreClosedSooner()
    {
        web::ServerLimits limits;
        limits.connections = 4;
        limits.crowdedMs = 200;
        startServer(limits);
        std::vector<std::unique_ptr<Client>> held;
        for (int i = 0; i < limits.connections - 1; ++i) {
            held.push_back(std::make_unique<Client>(port()));
            held.back()->send("GET / HTTP/1.1\r\n");
        }
        QVERIFY(waitConnections(limits.connections - 1));
        QVERIFY(!held.front()->waitClosed(1000));
        // The fourth fills the places: the three that waited longer go.
        Client fourth(port());
        for (const auto &client : held)
            QVERIFY(client->waitClosed(3000));
        QVERIFY(waitConnections(1));
        QVERIFY(!fourth.waitClosed(500));
        QCOMPARE(realRequest(), 200);
    }

    // A flood of idle connections with the file limit of a desktop (here
    // lowered to 256): the event loop keeps running, a real request is
    // answered while the flood holds on (the idle connections that fill
    // every place are closed sooner than the idle time), the descriptors
    // come back.
    void floodUnderALowFileLimit()
    {
        const web::ServerLimits limits;
        startServer(limits);
        const int before = openDescriptors();
        rlimit saved{};
        QVERIFY(::getrlimit(RLIMIT_NOFILE, &saved) == 0);
        const pid_t child = flood(port(), 300, 6000);
        QVERIFY(child > 0);
        rlimit low = saved;
        low.rlim_cur = 256;
        QVERIFY(::setrlimit(RLIMIT_NOFILE, &low) == 0);
        auto restore = qScopeGuard([&] {
            ::setrlimit(RLIMIT_NOFILE, &saved);
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
        });

        QElapsedTimer sinceTick;
        qint64 longestGap = 0;
        QTimer ticker;
        ticker.setInterval(20);
        connect(&ticker, &QTimer::timeout, this, [&] {
            longestGap = std::max(longestGap, sinceTick.restart());
        });
        sinceTick.start();
        ticker.start();
        int most = 0;
        int answered = 0;
        QElapsedTimer clock;
        clock.start();
        // While the child still holds its sockets (6 s), before the idle time.
        while (clock.elapsed() < 5000 && answered == 0) {
            QTest::qWait(100);
            most = std::max(most, m_server->stats().connections);
            if (realRequest() == 200)
                answered = int(clock.elapsed());
            // The request above waits outside the event loop: not counted.
            sinceTick.restart();
        }
        QVERIFY2(answered > 0, "no real request answered during the flood");
        QVERIFY(most <= limits.connections);
        QVERIFY2(openDescriptors() < 200, qPrintable(QString::number(openDescriptors())));
        ticker.stop();
        QVERIFY2(longestGap < 1000, qPrintable(QString::number(longestGap)));

        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        restore.dismiss();
        ::setrlimit(RLIMIT_NOFILE, &saved);
        QVERIFY(waitConnections(0));
        QVERIFY(QTest::qWaitFor([&] { return openDescriptors() <= before; }, 5000));
    }

    // The request line and headers together, the last empty line included.
    void headerSizeLimit_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("status");
        QTest::newRow("16 KB") << 16384 << 200;
        QTest::newRow("one byte more") << 16385 << 431;
    }
    void headerSizeLimit()
    {
        QFETCH(int, size);
        QFETCH(int, status);
        startServer({});
        QByteArray request = get(m_prefix + "model.wrl", port());
        request.chop(2);
        request += "X-Pad: ";
        request += QByteArray(size - request.size() - 4, 'a') + "\r\n\r\n";
        QCOMPARE(request.size(), size);
        Client client(port());
        client.send(request);
        QVERIFY(client.waitAnswers(1));
        QCOMPARE(client.answers().first().status, status);
        QCOMPARE(client.waitClosed(status == 200 ? 300 : 3000), status != 200);
    }

    void oversizedHeadersAreRefused_data()
    {
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<QByteArray>("filler");
        QTest::addColumn<qint64>("times");
        QTest::addColumn<QByteArray>("end");
        QTest::addColumn<int>("status");
        // Whether the server reads the whole request before it answers: if
        // not, the client that sends on may see the connection reset before
        // it reads the answer.
        QTest::addColumn<bool>("readWhole");
        QTest::newRow("long request line") << QByteArray("GET /x?") << QByteArray("q") << qint64(20000)
                                           << QByteArray(" HTTP/1.1\r\nHost: x\r\n\r\n") << 431 << true;
        // More header records than the connection's memory holds.
        QTest::newRow("many headers") << QByteArray() << QByteArray("X-A: b\r\n") << qint64(3000)
                                      << QByteArray("\r\n") << 431 << false;
        QTest::newRow("64 MB header line") << QByteArray() << QByteArray(65536, 'a') << qint64(1024)
                                           << QByteArray("\r\n\r\n") << 431 << false;
    }
    void oversizedHeadersAreRefused()
    {
        QFETCH(QByteArray, start);
        QFETCH(QByteArray, filler);
        QFETCH(qint64, times);
        QFETCH(QByteArray, end);
        QFETCH(int, status);
        QFETCH(bool, readWhole);
        startServer({});
        const qint64 rss = residentBytes();
        Client client(port());
        if (start.isEmpty()) {
            start = get(m_prefix + "model.wrl", port());
            start.chop(2);
            if (filler.startsWith('a'))
                start += "X-Pad: ";
        }
        client.send(start);
        client.send(filler, times, 10000);
        client.send(end);
        QVERIFY(client.waitClosed(5000));
        const QList<Client::Answer> answers = client.answers();
        if (!answers.isEmpty() || readWhole)
            QCOMPARE(answers.value(0).status, status);
        QVERIFY2(residentBytes() - rss < 16 * 1024 * 1024, qPrintable(QString::number(residentBytes() - rss)));
        QCOMPARE(realRequest(), 200);
    }

    void requestBodiesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("headers");
        QTest::addColumn<qint64>("bodyBytes");
        QTest::addColumn<int>("status");
        QTest::newRow("empty body") << QByteArray("Content-Length: 0\r\n") << qint64(0) << 200;
        QTest::newRow("small body") << QByteArray("Content-Length: 5\r\n") << qint64(5) << 413;
        QTest::newRow("second length") << QByteArray("Content-Length: 0\r\nContent-Length: 5\r\n") << qint64(5) << 413;
        QTest::newRow("1 GiB announced") << QByteArray("Content-Length: 1073741824\r\n") << qint64(64) * 1024 * 1024 << 413;
        QTest::newRow("chunked") << QByteArray("Transfer-Encoding: chunked\r\n") << qint64(5) << 413;
        QTest::newRow("64 MB chunked") << QByteArray("Transfer-Encoding: chunked\r\n") << qint64(64) * 1024 * 1024 << 413;
    }
    void requestBodiesAreRefused()
    {
        QFETCH(QByteArray, headers);
        QFETCH(qint64, bodyBytes);
        QFETCH(int, status);
        startServer({});
        const qint64 rss = residentBytes();
        Client client(port());
        const QByteArray request = get(m_prefix + "model.wrl", port(), "HTTP/1.1", headers);
        // A small body goes with the headers, so that the server has it
        // whole when it answers (a client that sends on after the answer may
        // see the connection reset before it reads the answer).
        if (bodyBytes < 1000) {
            client.send(request + QByteArray(bodyBytes, 'b'));
        } else {
            client.send(request);
            client.send(QByteArray(65536, 'b'), bodyBytes / 65536, 10000);
        }
        if (status == 200) {
            QVERIFY(client.waitAnswers(1));
            QCOMPARE(client.answers().first().status, 200);
            QVERIFY(!client.waitClosed(300));
        } else {
            QVERIFY(client.waitClosed(5000));
            if (bodyBytes < 1000)
                QCOMPARE(client.answers().value(0).status, status);
        }
        QVERIFY2(residentBytes() - rss < 16 * 1024 * 1024, qPrintable(QString::number(residentBytes() - rss)));
        QCOMPARE(realRequest(), 200);
    }

    // 1,000 requests for the largest file, sent at once, their answers
    // never read: one answer is held at a time, then the connection is
    // closed as stalled.
    void unreadAnswersStayBounded()
    {
        web::ServerLimits limits;
        limits.idleSeconds = 1;
        startServer(limits);
        const qint64 script = QFileInfo(xiteFolder() + "/x_ite.min.js").size();
        QVERIFY(script > 1000000);
        const qint64 rss = residentBytes();
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        auto closeFd = qScopeGuard([fd] { ::close(fd); });
        const int small = 4096;
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port());
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        QCOMPARE(::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
        const QByteArray one = get(m_prefix + "x_ite/x_ite.min.js", port());
        QByteArray all;
        for (int i = 0; i < 1000; ++i)
            all += one;
        ::fcntl(fd, F_SETFL, O_NONBLOCK);
        qint64 sent = 0;
        for (int i = 0; i < 200 && sent < all.size(); ++i) {
            const ssize_t n = ::send(fd, all.constData() + sent, size_t(all.size() - sent), MSG_NOSIGNAL);
            if (n > 0)
                sent += n;
            else
                QTest::qWait(10);
        }
        qint64 most = 0;
        for (int i = 0; i < 10; ++i) {
            QTest::qWait(50);
            most = std::max(most, m_server->stats().bufferedBytes);
        }
        QVERIFY(most > 0);
        QVERIFY2(most <= script, qPrintable(QString::number(most)));
        QVERIFY2(residentBytes() - rss < 32 * 1024 * 1024, qPrintable(QString::number(residentBytes() - rss)));
        QVERIFY(waitConnections(0, 6000));
        QCOMPARE(m_server->stats().bufferedBytes, 0);
    }

    void idleAndSlowConnectionsAreClosed_data()
    {
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<bool>("trickle");
        QTest::newRow("silent") << QByteArray() << false;
        QTest::newRow("half a request") << QByteArray("GET / HTTP/1.1\r\nHost: x\r\n") << false;
        QTest::newRow("a byte at a time") << QByteArray("GET / HTTP/1.1\r\n") << true;
        QTest::newRow("idle after an answer") << QByteArray("answered") << false;
    }
    void idleAndSlowConnectionsAreClosed()
    {
        QFETCH(QByteArray, start);
        QFETCH(bool, trickle);
        web::ServerLimits limits;
        limits.idleSeconds = 1;
        startServer(limits);
        Client client(port());
        if (start == "answered") {
            client.send(get(m_prefix, port()));
            QVERIFY(client.waitAnswers(1));
        } else {
            client.send(start);
        }
        QVERIFY(waitConnections(1));
        // The library's own timeout alone would never close the trickle.
        for (int i = 0; i < 40 && !client.closed(); ++i) {
            if (trickle)
                client.send("X");
            client.waitClosed(150);
        }
        QVERIFY(client.closed());
        QVERIFY(waitConnections(0));
    }

    void closeAfterHttp10AndConnectionClose_data()
    {
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<QByteArray>("extra");
        QTest::addColumn<bool>("closes");
        QTest::newRow("HTTP/1.0") << QByteArray("HTTP/1.0") << QByteArray() << true;
        QTest::newRow("Connection: close") << QByteArray("HTTP/1.1") << QByteArray("Connection: close\r\n") << true;
        QTest::newRow("keep-alive") << QByteArray("HTTP/1.1") << QByteArray() << false;
    }
    void closeAfterHttp10AndConnectionClose()
    {
        QFETCH(QByteArray, version);
        QFETCH(QByteArray, extra);
        QFETCH(bool, closes);
        startServer({});
        Client client(port());
        client.send(get(m_prefix + "model.wrl", port(), version, extra));
        QVERIFY(client.waitAnswers(1));
        QCOMPARE(client.answers().first().status, 200);
        QCOMPARE(client.answers().first().body, content().model);
        if (closes) {
            QVERIFY(client.waitClosed(3000));
        } else {
            QVERIFY(!client.waitClosed(200));
            client.send(get(m_prefix, port()));
            QVERIFY(client.waitAnswers(2));
            QCOMPARE(client.answers().at(1).body, QByteArray("<html>page</html>"));
        }
    }

    void headIsAnsweredWithoutBody()
    {
        startServer({});
        Client client(port());
        QByteArray head = get(m_prefix + "model.wrl", port());
        head.replace(0, 3, "HEAD");
        client.send(head + get(m_prefix, port()));
        // Both answers, the second one whole.
        QVERIFY(client.waitFor([](const QByteArray &received) { return received.endsWith("<html>page</html>"); }));
        const QList<Client::Answer> answers = client.answers(true);
        QCOMPARE(answers.first().status, 200);
        QVERIFY(answers.first().headers.contains("\r\ncontent-length: " + QByteArray::number(content().model.size())));
        QVERIFY(answers.first().headers.contains("\r\ncontent-type: model/vrml"));
        // The next answer follows the head at once: no body between.
        QVERIFY(answers.value(1).headers.startsWith("http/1.1 200"));
    }
};

QTEST_MAIN(tst_WebServerLimits)
#include "tst_webserverlimits.moc"
