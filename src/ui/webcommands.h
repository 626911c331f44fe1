#pragma once

#include "filedialogstate.h"

#include <QStringList>
#include <memory>

struct AppContext;
class CubeModel;
class QWidget;
namespace web {
class ForwardPage;
class ViewerServer;
struct PageTexts;
}

// The main window's web commands: the written model shown in the default web
// browser through the program's own loopback server, and the model saved as
// a folder for a web server.
class WebCommands
{
public:
    WebCommands(AppContext &context, QWidget *window);
    ~WebCommands();

    // The model was just written to `modelFile`. Starts the server on first
    // use and opens its page, through a local page that forwards the browser
    // (the address carries the token).
    void showInBrowser(const CubeModel &model, const QString &modelFile);
    // F4: the written model in the desktop's VRML viewer when one is chosen
    // (and is not this program), otherwise in the web browser.
    void showCube(const CubeModel &model, const QString &modelFile, bool desktopViewerChosen);
    // Asks for the folder; empty when cancelled.
    QString chooseFolder(const QString &title);
    // Writes the site of the model into the folder, or says why not.
    void saveForWeb(const QString &folder, const CubeModel &model);

    FileDialogState SDweb;

private:
    web::PageTexts pageTexts() const;

    AppContext &m_context;
    QWidget *m_window;
    std::unique_ptr<web::ViewerServer> m_server;
    std::unique_ptr<web::ForwardPage> m_forward;
};
