#pragma once

#include "webcontent.h"

#include <QByteArray>
#include <QHash>
#include <QString>

// The program's web site: every address is /TOKEN/NAME, and NAME is looked
// up in a fixed list (the page, the model, the pictures the model names, the
// bundled X_ITE files). A URL path is never turned into a file path: files
// are only those the list holds.
namespace web {

// What a request asks for, decided before anything is read.
struct Target
{
    enum class Kind { NotFound, NotAllowed, Page, Model, File };
    Kind kind = Kind::NotFound;
    QString file;          // Kind::File: the listed file
    QByteArray type;       // content type
    bool current = false;  // changes with every published model: never cached
};

struct Reply
{
    int status = 404;
    QByteArray type = "text/plain; charset=utf-8";
    QByteArray body = "Not found\n";
    bool current = true;
};

class Site
{
public:
    // `token`: the secret first path segment; `xiteFolder`: where the X_ITE
    // files of xiteFiles() are.
    Site(const QString &token, const QString &xiteFolder);

    // Replaces what is served: the model and its pictures, and the page.
    void publish(const Content &content, const QByteArray &page);
    // Only requests for this host ("127.0.0.1:PORT") are answered; empty: any.
    void setHost(const QByteArray &host) { m_host = host; }

    // `path` is the request's decoded path ("/TOKEN/model.wrl").
    Target resolve(const QByteArray &method, const QByteArray &host, const QString &path) const;
    // Reads what the target names (only Kind::File reads a file).
    Reply reply(const Target &target) const;

    // Longest path that is looked up at all.
    static constexpr qsizetype maxPathLength = 512;
    // Largest file that is served.
    static constexpr qint64 maxFileSize = 64 * 1024 * 1024;

private:
    QString m_token;
    QByteArray m_host;
    QHash<QString, QString> m_xite;      // site name -> file
    QHash<QString, QString> m_pictures;  // site name -> file
    QByteArray m_page;
    QByteArray m_model;
};

} // namespace web
