// The web viewer's server as a client reaches it: raw request bytes, over
// a socket pair, through the library's parsing, the server's limits and the
// site's routing. "@HOST@" and "@TOKEN@" in the input stand for the
// server's own host and token, so that inputs reach past the host check.
// Every answer is a whole HTTP/1.1 answer, and a 200 carries only what the
// site publishes: the page, the model, a picture it names or an X_ITE file.
#include "fuzzcheck.h"
#include "cubemodel.h"
#include "viewerserver.h"
#include "webcontent.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Fixture
{
    web::ViewerServer server{QStringLiteral(VEMTAL_XITE_DIR), [] {
                                 web::ServerLimits limits;
                                 limits.idleSeconds = 2;
                                 return limits;
                             }()};
    QByteArray host;
    QByteArray token;
    QSet<QByteArray> bodies;   // what a 200 may carry

    Fixture()
    {
        FUZZ_CHECK(server.start());
        const QString demo = QStringLiteral(VEMTAL_SOURCE_DIR "/examples/obrazkys/");
        const QTemporaryDir start;   // no template override there
        CubeModel model(start.path(), 1);
        FaceSet faces;
        faces.setPictures({demo + "1-predni.jpg", QString(), demo + "3-zadni.gif"});
        FUZZ_CHECK(!model.assemble(LanguageTexts(), faces));
        const web::Content content = web::makeContent(model, QStringLiteral("prot1.wrl"));
        const QByteArray page = web::viewerPage(content.modelName, {"L", "W", "F", "O"});
        server.publish(content, page);
        host = "127.0.0.1:" + QByteArray::number(server.port());
        token = server.pageUrl().path().section(QLatin1Char('/'), 1, 1).toLatin1();
        bodies << page << content.model;
        for (const web::Picture &picture : content.pictures)
            if (!picture.file.isEmpty())
                bodies << readAll(picture.file);
        for (const QString &name : web::xiteFiles())
            bodies << readAll(QDir(QStringLiteral(VEMTAL_XITE_DIR)).filePath(name));
    }
};

QByteArray field(const QByteArray &head, const QByteArray &name)
{
    for (const QByteArray &line : head.split('\n'))
        if (line.toLower().startsWith(name + ':'))
            return line.mid(name.size() + 1).trimmed();
    return {};
}

struct Answer
{
    int status;
    QByteArray body;   // empty for an answer to HEAD
};

// Splits what came back into whole HTTP/1.1 answers; false when it is not
// that, or when the last one is not whole yet.
bool splitAnswers(const QByteArray &received, QList<Answer> &answers)
{
    answers.clear();
    qsizetype at = 0;
    while (at < received.size()) {
        const qsizetype end = received.indexOf("\r\n\r\n", at);
        if (end < 0)
            return false;
        const QByteArray head = received.mid(at, end - at);
        const int status = head.mid(9, 3).toInt();
        if (!head.startsWith("HTTP/1.1 ") || head.size() < 12)
            return false;
        at = end + 4;
        // "Expect: 100-continue" gets the interim answer first, without body.
        if (status == 100 && head == "HTTP/1.1 100 Continue")
            continue;
        bool number = false;
        const qint64 length = field(head, "content-length").toLongLong(&number);
        if (!number || length < 0)
            return false;
        // An answer to HEAD has no body: the next answer follows at once,
        // or nothing.
        if (length > 0 && (at == received.size() || received.mid(at, 9) == "HTTP/1.1 ")) {
            answers.append(Answer{status, QByteArray()});
            continue;
        }
        if (at + length > received.size())
            return false;
        answers.append(Answer{status, received.mid(at, length)});
        at += length;
    }
    return true;
}

// Sends the input and reads every answer, until the server closes the
// connection or, the input sent, it has been quiet for a while after a
// whole answer (a connection whose request never ends is closed only by
// the idle timeout).
QByteArray exchange(web::ViewerServer &server, const QByteArray &input)
{
    int pair[2];
    FUZZ_CHECK(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) == 0);
    ::fcntl(pair[0], F_SETFL, O_NONBLOCK);
    FUZZ_CHECK(server.serve(pair[1]));
    QByteArray received;
    QList<Answer> answers;
    qsizetype sent = 0;
    bool writing = true;
    if (input.isEmpty()) {
        ::shutdown(pair[0], SHUT_WR);
        writing = false;
    }
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 5000) {
        pollfd p{pair[0], short(POLLIN | (writing ? POLLOUT : 0)), 0};
        if (::poll(&p, 1, 20) <= 0) {
            if (!writing && splitAnswers(received, answers))
                break;
            continue;
        }
        if (writing && (p.revents & POLLOUT)) {
            const ssize_t n = ::send(pair[0], input.constData() + sent, size_t(input.size() - sent), MSG_NOSIGNAL);
            if (n > 0)
                sent += n;
            if ((n < 0 && errno != EAGAIN) || sent == input.size()) {
                ::shutdown(pair[0], SHUT_WR);
                writing = false;
            }
        }
        if (p.revents & (POLLIN | POLLHUP | POLLERR)) {
            char chunk[65536];
            const ssize_t n = ::recv(pair[0], chunk, sizeof chunk, 0);
            if (n <= 0 && !(n < 0 && errno == EAGAIN))
                break;
            if (n > 0)
                received.append(chunk, n);
        }
    }
    FUZZ_CHECK(clock.elapsed() < 5000);
    ::close(pair[0]);
    return received;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Fixture fixture;
    QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    input.replace("@HOST@", fixture.host);
    input.replace("@TOKEN@", fixture.token);
    // Each input on a server with no other connection (so never refused).
    QElapsedTimer clock;
    clock.start();
    while (fixture.server.stats().connections > 0 && clock.elapsed() < 5000)
        ::usleep(1000);
    FUZZ_CHECK(fixture.server.stats().connections == 0);
    QList<Answer> answers;
    FUZZ_CHECK(splitAnswers(exchange(fixture.server, input), answers));
    for (const Answer &answer : answers) {
        FUZZ_CHECK(answer.status >= 200 && answer.status < 600);
        if (answer.status == 200 && !answer.body.isEmpty())
            FUZZ_CHECK(fixture.bodies.contains(answer.body));
    }
    return 0;
}
