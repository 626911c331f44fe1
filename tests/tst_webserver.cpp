#include "cubemodel.h"
#include "forwardpage.h"
#include "faceset.h"
#include "fileaccess.h"
#include "model.h"
#include "pipes.h"
#include "site.h"
#include "testfiles.h"
#include "textfile.h"
#include "viewerserver.h"
#include "webcontent.h"
#include "webexport.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <memory>

using web::Target;

namespace {

const QString token = QStringLiteral("0123456789abcdef");

using testfiles::demo;

// A model as the main window writes it: a template, then the tail for
// pictures in slots 0 and 2 only.
QStringList modelLines()
{
    QStringList lines = {QStringLiteral("#VRML V2.0 utf8"), QStringLiteral("# template")};
    lines << model::tail(QStringLiteral("[ 0 0 0 0 0 0 ]"),
                         {QStringLiteral("\"%1\"").arg(demo("1-predni.jpg")), QString(),
                          QStringLiteral("\"%1\"").arg(demo("3-zadni.gif"))},
                         QStringLiteral("] otocna TRUE}"));
    return lines;
}

// The content of a model of modelLines()'s template (the start folder's
// override file) with these pictures in slots 0, 1, ...
web::Content contentOf(const QStringList &pictures, const QString &name = QStringLiteral("prot1.wrl"))
{
    QTemporaryDir start;
    QFile override(start.filePath(QStringLiteral("PROTOK.wrl")));
    if (!override.open(QIODevice::WriteOnly)
        || override.write("#VRML V2.0 utf8\r\n# template\r\n") < 0)
        return {};
    override.close();
    CubeModel model(start.path(), 1);
    FaceSet faces;
    faces.setPictures(pictures);
    if (model.assemble(LanguageTexts(), faces))
        return {};
    return web::makeContent(model, name);
}

// The content of modelLines().
web::Content content()
{
    return contentOf({demo("1-predni.jpg"), QString(), demo("3-zadni.gif")});
}

QString xiteFolder()
{
    return QStringLiteral(VEMTAL_XITE_DIR);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class tst_WebServer : public QObject
{
    Q_OBJECT
private:
    // Sends raw bytes to the server and returns everything it answers
    // until it closes the connection or a second passes.
    QByteArray ask(quint16 port, const QByteArray &request)
    {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, port);
        if (!QTest::qWaitFor([&] { return socket.state() == QAbstractSocket::ConnectedState; }, 2000))
            return {};
        socket.write(request);
        QByteArray answer;
        const bool whole = QTest::qWaitFor([&] {
            answer += socket.readAll();
            const qsizetype head = answer.indexOf("\r\n\r\n");
            if (head < 0)
                return socket.state() != QAbstractSocket::ConnectedState;
            const QByteArray length = header(answer, "content-length");
            return answer.size() >= head + 4 + length.toLongLong();
        }, 5000);
        return whole ? answer : QByteArray();
    }
    static QByteArray header(const QByteArray &answer, const QByteArray &name)
    {
        for (const QByteArray &line : answer.left(answer.indexOf("\r\n\r\n")).split('\n'))
            if (line.toLower().startsWith(name + ':'))
                return line.mid(name.size() + 1).trimmed();
        return {};
    }
    static int status(const QByteArray &answer) { return answer.mid(9, 3).toInt(); }
    static QByteArray body(const QByteArray &answer) { return answer.mid(answer.indexOf("\r\n\r\n") + 4); }
    // A request as a browser sends it for http://127.0.0.1:PORT/...
    static QByteArray request(const QByteArray &method, const QByteArray &path, quint16 port)
    {
        return method + ' ' + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port)
                + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    }

private slots:
    void pictureNames_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("name");
        // Named by the format the content decodes as, not by the file's name.
        QTest::newRow("jpg") << 0 << demo("1-predni.jpg") << "obrazkys/0.jpg";
        QTest::newRow("png") << 1 << demo("2-prava.png") << "obrazkys/1.png";
        QTest::newRow("gif") << 2 << demo("3-zadni.gif") << "obrazkys/2.gif";
        QTest::newRow("bmp") << 5 << demo("6-dolni.bmp") << "obrazkys/5.bmp";
    }
    void pictureNames()
    {
        QFETCH(int, slot);
        QFETCH(QString, file);
        QFETCH(QString, name);
        picturefile::Problem problem;
        QCOMPARE(web::pictureName(slot, picturefile::read(file, problem).format), name);
        QVERIFY(!problem);
    }

    void contentNamesPicturesByIndex()
    {
        const web::Content c = content();
        QStringList lines = modelLines();
        const qsizetype first = lines.size() - 11;
        lines[first] = QStringLiteral("\"obrazkys/0.jpg\"");
        lines[first + 2] = QStringLiteral("\"obrazkys/2.gif\"");
        QCOMPARE(c.model, model::fileBytes(lines));
        QCOMPARE(c.pictures[0].file, demo("1-predni.jpg"));
        QVERIFY(c.pictures[1].name.isEmpty());
        QCOMPARE(c.pictures[2].name, QStringLiteral("obrazkys/2.gif"));
        const QByteArray page = web::viewerPage(QStringLiteral("a<b>&.wrl"), {"L", "W", "F", "O"});
        QVERIFY(page.contains("<title>vemtal – a&lt;b&gt;&amp;.wrl</title>"));
        QVERIFY(!page.contains('@'));
    }

    void resolve_data()
    {
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QByteArray>("host");
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("file");
        const int page = int(Target::Kind::Page), model = int(Target::Kind::Model),
                  file = int(Target::Kind::File), none = int(Target::Kind::NotFound),
                  refused = int(Target::Kind::NotAllowed);
        const QByteArray host = "127.0.0.1:8000";
        const QString t = QLatin1Char('/') + token;
        QTest::newRow("page") << QByteArray("GET") << host << t + "/" << page << "";
        QTest::newRow("index.html") << QByteArray("GET") << host << t + "/index.html" << page << "";
        QTest::newRow("model") << QByteArray("GET") << host << t + "/model.wrl" << model << "";
        QTest::newRow("picture") << QByteArray("GET") << host << t + "/obrazkys/2.gif" << file << demo("3-zadni.gif");
        QTest::newRow("x_ite") << QByteArray("GET") << host << t + "/x_ite/assets/lib/woff2_decoder.js"
                               << file << xiteFolder() + "/assets/lib/woff2_decoder.js";
        QTest::newRow("wrong token") << QByteArray("GET") << host << "/0123456789abcdee/model.wrl" << none << "";
        QTest::newRow("token only") << QByteArray("GET") << host << t << none << "";
        QTest::newRow("no token") << QByteArray("GET") << host << "/model.wrl" << none << "";
        QTest::newRow("dot dot") << QByteArray("GET") << host << t + "/x_ite/../model.wrl" << none << "";
        QTest::newRow("dot dot out") << QByteArray("GET") << host << t + "/obrazkys/../../../etc/passwd" << none << "";
        QTest::newRow("absolute") << QByteArray("GET") << host << "/etc/passwd" << none << "";
        QTest::newRow("absolute after token") << QByteArray("GET") << host << t + "//etc/passwd" << none << "";
        QTest::newRow("picture not named") << QByteArray("GET") << host << t + "/obrazkys/1.png" << none << "";
        QTest::newRow("picture out of range") << QByteArray("GET") << host << t + "/obrazkys/6.jpg" << none << "";
        QTest::newRow("picture by path") << QByteArray("GET") << host << t + demo("1-predni.jpg") << none << "";
        QTest::newRow("x_ite file not shipped") << QByteArray("GET") << host << t + "/x_ite/x_ite.js" << none << "";
        QTest::newRow("very long") << QByteArray("GET") << host << t + "/" + QString(600, 'a') << none << "";
        QTest::newRow("post") << QByteArray("POST") << host << t + "/model.wrl" << refused << "";
        QTest::newRow("head") << QByteArray("HEAD") << host << t + "/" << page << "";
        QTest::newRow("head of a file") << QByteArray("HEAD") << host << t + "/obrazkys/0.jpg" << file << demo("1-predni.jpg");
        QTest::newRow("put") << QByteArray("PUT") << host << t + "/model.wrl" << refused << "";
        QTest::newRow("other host") << QByteArray("GET") << QByteArray("evil.example:8000") << t + "/" << none << "";
    }
    void resolve()
    {
        QFETCH(QByteArray, method);
        QFETCH(QByteArray, host);
        QFETCH(QString, path);
        QFETCH(int, kind);
        QFETCH(QString, file);
        web::Site site(token, xiteFolder());
        site.setHost("127.0.0.1:8000");
        site.publish(content(), "<html>");
        const Target target = site.resolve(method, host, path);
        QCOMPARE(int(target.kind), kind);
        // Only a listed file is ever named for reading.
        QCOMPARE(target.file, file);
        const web::Reply reply = site.reply(target);
        QCOMPARE(reply.status, kind == int(Target::Kind::NotFound) ? 404 : kind == int(Target::Kind::NotAllowed) ? 405 : 200);
        if (!file.isEmpty())
            QCOMPARE(reply.body, readAll(file));
    }

    void refusedFilesAreNotServed_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char *kind : {"secret", "/etc/passwd", "link to the secret", "/proc/self/environ",
                                 "named pipe", "text named .jpg", "folder", "/dev/zero",
                                 "claims 9000 x 9000", "missing"})
            QTest::newRow(kind) << kind;
    }
    // Whatever the list names, a file is served as a picture only when what
    // is read decodes as one: 404 otherwise, and a pipe is never waited on.
    void refusedFilesAreNotServed()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QString file = dir.filePath("picture.jpg");
        std::unique_ptr<Pipes> pipes;
        QString error;
        if (kind == "secret" || kind == "link to the secret") {
            const QString secret = dir.filePath("secret.txt");
            QVERIFY(textfile::writeFile(secret, "PIN 1234\n", error));
            QVERIFY(QFile::setPermissions(secret, QFile::ReadOwner | QFile::WriteOwner));
            if (kind == "secret")
                file = secret;
            else
                QVERIFY(QFile::link(secret, file));
        } else if (kind == "named pipe") {
            pipes = std::make_unique<Pipes>(QStringList{file});
            QVERIFY(pipes->made());
        } else if (kind == "text named .jpg") {
            QVERIFY(textfile::writeFile(file, "not a picture\n", error));
        } else if (kind == "folder") {
            QVERIFY(QDir().mkpath(file));
        } else if (kind == "claims 9000 x 9000") {
            QByteArray header(54, '\0');
            header.replace(0, 2, "BM");
            for (auto [at, value] : {std::pair{10, 54}, {14, 40}, {18, 9000}, {22, 9000}, {26, 1}, {28, 24}})
                for (int i = 0; i < 4; ++i)
                    header[at + i] = char((value >> (8 * i)) & 0xFF);
            QVERIFY(textfile::writeFile(file, header, error));
        } else if (kind != "missing") {
            file = kind;
        }

        web::Content published = content();
        published.pictures[0].file = file;
        web::Site site(token, xiteFolder());
        site.publish(published, "<html>");
        const Target target = site.resolve("GET", "", QLatin1Char('/') + token + "/obrazkys/0.jpg");
        QCOMPARE(target.file, file);
        const web::Reply reply = site.reply(target);
        QCOMPARE(reply.status, 404);
        QVERIFY(!reply.body.contains("PIN"));

        // Named by a model, it gets no name at all.
        const web::Content made = contentOf({file}, "m.wrl");
        QVERIFY(made.pictures[0].name.isEmpty());
        QVERIFY(made.pictures[0].problem);
        QVERIFY(!made.model.contains(file.toUtf8()));
        if (pipes)
            QCOMPARE(pipes->released(), 0);
    }

    // Checked again as it is read: the type is that of the bytes served.
    void picturesAreCheckedAsTheyAreServed()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("face.jpg");
        QVERIFY(QFile::copy(demo("1-predni.jpg"), file));
        const web::Content published = contentOf({file}, "m.wrl");
        QCOMPARE(published.pictures[0].name, QStringLiteral("obrazkys/0.jpg"));
        web::Site site(token, xiteFolder());
        site.publish(published, "<html>");
        const Target target = site.resolve("GET", "", QLatin1Char('/') + token + "/obrazkys/0.jpg");
        web::Reply reply = site.reply(target);
        QCOMPARE(reply.status, 200);
        QCOMPARE(reply.type, QByteArray("image/jpeg"));
        QCOMPARE(reply.body, readAll(demo("1-predni.jpg")));

        QString error;
        QVERIFY(textfile::writeFile(file, readAll(demo("2-prava.png")), error));
        reply = site.reply(target);
        QCOMPARE(reply.status, 200);
        QCOMPARE(reply.type, QByteArray("image/png"));
        QCOMPARE(reply.body, readAll(demo("2-prava.png")));

        QVERIFY(textfile::writeFile(file, "now some text\n", error));
        QCOMPARE(site.reply(target).status, 404);
        QVERIFY(QFile::remove(file));
        Pipes pipes({file});
        QVERIFY(pipes.made());
        QCOMPARE(site.reply(target).status, 404);
        QCOMPARE(pipes.released(), 0);
    }

    // The export writes the bytes it read and checked, as a new file: not a
    // copy that keeps a private file's mode.
    void exportCopiesThePicturesBytes()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("face.png");
        QVERIFY(QFile::copy(demo("2-prava.png"), file));
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
        const web::Content published = contentOf({file}, "m.wrl");
        QString error;
        const QString folder = dir.filePath("web");
        QCOMPARE(web::exportSite(folder, published, "<html>", xiteFolder(), LanguageTexts(), error),
                 web::ExportResult::Saved);
        const QString copied = folder + "/obrazkys/0.png";
        QCOMPARE(readAll(copied), readAll(demo("2-prava.png")));
        const QFile::Permissions mode = QFileInfo(copied).permissions();
        QVERIFY(mode.testFlag(QFile::ReadGroup) || mode.testFlag(QFile::ReadOther));

        // Refused when the content was made: the export fails, naming it.
        const QString text = dir.filePath("notes.jpg");
        QVERIFY(textfile::writeFile(text, "notes\n", error));
        const web::Content refused = contentOf({text}, "m.wrl");
        const QString other = dir.filePath("other");
        QCOMPARE(web::exportSite(other, refused, "<html>", xiteFolder(), LanguageTexts(), error),
                 web::ExportResult::Failed);
        QCOMPARE(error, fileaccess::named(text, "Není to obrázek JPEG, PNG, GIF ani BMP."));
        QVERIFY(QDir(other).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    }

    void serverOverTheLoopback()
    {
        web::ViewerServer server(xiteFolder());
        QVERIFY(server.start());
        const quint16 port = server.port();
        QVERIFY(port != 0);
        QCOMPARE(QHostAddress(server.address()), QHostAddress(QHostAddress::LocalHost));
        server.publish(content(), "<html>page</html>");
        const QByteArray prefix = server.pageUrl().path().toLatin1();
        QCOMPARE(server.pageUrl().toString(), QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(QString(prefix)));
        QVERIFY(QRegularExpression("^/[0-9a-f]{32}/$").match(QString(prefix)).hasMatch());

        QByteArray answer = ask(port, request("GET", prefix, port));
        QCOMPARE(status(answer), 200);
        QCOMPARE(body(answer), QByteArray("<html>page</html>"));
        QCOMPARE(header(answer, "cache-control"), QByteArray("no-store"));
        QCOMPARE(header(answer, "x-content-type-options"), QByteArray("nosniff"));
        answer = ask(port, request("GET", prefix + "x_ite/x_ite.min.js", port));
        QCOMPARE(status(answer), 200);
        QCOMPARE(header(answer, "content-type"), QByteArray("text/javascript"));
        QCOMPARE(body(answer), readAll(xiteFolder() + "/x_ite.min.js"));

        // Sent as they are, not as a client library would clean them up.
        for (const QByteArray &path : {prefix + "..%2f..%2fetc/passwd", prefix + "%2e%2e/model.wrl",
                                       prefix + "x_ite/%2e%2e/%2e%2e/" + prefix + "model.wrl",
                                       QByteArray("/etc/passwd"), prefix + QByteArray(8000, 'x'),
                                       prefix + "obrazkys/1.png"})
            QVERIFY2(status(ask(port, request("GET", path, port))) == 404, path.left(80));
        answer = ask(port, request("POST", prefix + "model.wrl", port));
        QCOMPARE(status(answer), 405);
        QCOMPARE(header(answer, "allow"), QByteArray("GET, HEAD"));
        // Garbage and an oversized request do not stop the server.
        ask(port, QByteArray(300000, 'G') + "\r\n\r\n");
        ask(port, "\x16\x03\x01 not http at all\r\n\r\n");
        QCOMPARE(status(ask(port, request("GET", prefix + "model.wrl", port))), 200);
        QCOMPARE(status(ask(port, request("GET", prefix + "model.wrl", port + 1))), 404);

        // The listening socket takes no connection on any other address.
        for (const QHostAddress &address : QNetworkInterface::allAddresses()) {
            if (address.isLoopback() || address.protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            QTcpSocket other;
            other.connectToHost(address, port);
            QVERIFY(!other.waitForConnected(1000));
        }
        QTcpSocket v6;
        v6.connectToHost(QHostAddress::LocalHostIPv6, port);
        QVERIFY(!v6.waitForConnected(1000));
    }

    void forwardPageIsTheUsersAlone()
    {
        QTemporaryDir runtime;
        QVERIFY(QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
        auto restore = qScopeGuard([&] { qputenv("XDG_RUNTIME_DIR", saved); });
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        const QUrl target(QStringLiteral("http://127.0.0.1:8000/0123456789abcdef0123456789abcdef/"));
        QString path;
        {
            web::ForwardPage forward;
            QString error;
            QVERIFY(forward.write(target, error));
            QVERIFY(forward.write(target, error));
            path = forward.path();
            QCOMPARE(QFileInfo(QFileInfo(path).path()).path(), runtime.path());
            using std::filesystem::perms;
            QCOMPARE(std::filesystem::status(path.toStdString()).permissions(), perms::owner_read | perms::owner_write);
            QCOMPARE(std::filesystem::status(QFileInfo(path).path().toStdString()).permissions(), perms::owner_all);
            const QByteArray page = readAll(path);
            QCOMPARE(page, web::forwardPage(target));
            QVERIFY(page.contains("<meta http-equiv=\"refresh\" content=\"0; url=" + target.toEncoded() + "\">"));
        }
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(QDir(runtime.path()).isEmpty());
    }

    void forwardPageAvoidsARuntimeFolderOthersCanEnter()
    {
        QTemporaryDir runtime;
        const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
        auto restore = qScopeGuard([&] { qputenv("XDG_RUNTIME_DIR", saved); });
        const QString open = runtime.filePath(QStringLiteral("open"));
        QVERIFY(QDir().mkdir(open));
        QVERIFY(QFile::setPermissions(open, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                    | QFile::ReadOther | QFile::ExeOther));
        const QString link = runtime.filePath(QStringLiteral("link"));
        const QString own = runtime.filePath(QStringLiteral("own"));
        QVERIFY(QDir().mkdir(own));
        QVERIFY(QFile::setPermissions(own, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(QFile::link(own, link));
        for (const QString &folder : {open, link, QStringLiteral("relative"), QString()}) {
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder));
            QCOMPARE(web::ForwardPage::baseFolder(), QDir::tempPath());
        }
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(own));
        QCOMPARE(web::ForwardPage::baseFolder(), own);
    }

    void exportWritesTheSiteWholeOrNothing()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("web"));
        QString error;
        QCOMPARE(web::exportSite(folder, content(), "<html>", xiteFolder(), LanguageTexts(), error), web::ExportResult::Saved);
        QDir site(folder);
        QCOMPARE(site.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList({"index.html", "model.wrl", "obrazkys", "x_ite"}));
        QCOMPARE(readAll(site.filePath("model.wrl")), content().model);
        QCOMPARE(readAll(site.filePath("obrazkys/2.gif")), readAll(demo("3-zadni.gif")));
        QCOMPARE(QDir(site.filePath("obrazkys")).entryList(QDir::Files), QStringList({"0.jpg", "2.gif"}));
        QCOMPARE(readAll(site.filePath("x_ite/assets/fonts/Droid/DroidSerif-Regular.woff2")),
                 readAll(xiteFolder() + "/assets/fonts/Droid/DroidSerif-Regular.woff2"));

        // Not empty: refused, nothing touched.
        QCOMPARE(web::exportSite(folder, content(), "<p>other", xiteFolder(), LanguageTexts(), error), web::ExportResult::NotEmpty);
        QCOMPARE(readAll(site.filePath("index.html")), QByteArray("<html>"));

        // A picture that cannot be read: the folder stays empty.
        web::Content broken = content();
        broken.pictures[2].file = dir.filePath(QStringLiteral("missing.gif"));
        const QString other = dir.filePath(QStringLiteral("other"));
        QVERIFY(QDir().mkpath(other));
        QCOMPARE(web::exportSite(other, broken, "<html>", xiteFolder(), LanguageTexts(), error), web::ExportResult::Failed);
        QVERIFY(error.contains(QStringLiteral("missing.gif")));
        QVERIFY(QDir(other).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    }
};

QTEST_MAIN(tst_WebServer)
#include "tst_webserver.moc"
