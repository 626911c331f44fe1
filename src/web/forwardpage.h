#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <memory>

class QTemporaryDir;

// A local page that sends the browser on to the server's address. The
// browser is started with this file's path, so the address and its token
// never appear on a command line (which every user of the computer can
// read). The file is the user's alone (0600, in a 0700 folder) and is
// removed with this object.
namespace web {

class ForwardPage
{
public:
    ForwardPage();
    ~ForwardPage();
    ForwardPage(const ForwardPage &) = delete;
    ForwardPage &operator=(const ForwardPage &) = delete;

    // Writes (or rewrites) the page for `target`; false with `error` set
    // when it cannot.
    bool write(const QUrl &target, QString &error);
    // Empty until written.
    QString path() const;

    // $XDG_RUNTIME_DIR when it is the user's own private folder, else the
    // system's temporary folder (the page's own folder is private there too).
    static QString baseFolder();

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_path;
};

// The page's text: an immediate redirect, and a link for a browser that
// does not follow it.
QByteArray forwardPage(const QUrl &target);

} // namespace web
