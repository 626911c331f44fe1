#include "webcommands.h"

#include "appcontext.h"
#include "dialogs.h"
#include "forwardpage.h"
#include "viewerchoice.h"
#include "viewerserver.h"
#include "webexport.h"

#include <QFileInfo>
#include <QUrl>

WebCommands::WebCommands(AppContext &context, QWidget *window)
    : SDweb(QStringLiteral("SDweb"), FileDialogRequest::Kind::Folder, QString()),
      m_context(context),
      m_window(window)
{
    SDweb.movesWorkingFolder = false;
}

WebCommands::~WebCommands() = default;

web::PageTexts WebCommands::pageTexts() const
{
    web::PageTexts texts;
    texts.loading = m_context.language.text(Text::WebLoading);
    texts.noWebGL = m_context.language.text(Text::WebNoWebGL);
    texts.loadFailed = m_context.language.text(Text::WebLoadFailed);
    texts.openedFromFile = m_context.language.text(Text::WebOpenedFromFile);
    return texts;
}

void WebCommands::showCube(const CubeModel &model, const QString &modelFile, bool desktopViewerChosen)
{
    using viewerchoice::Viewer;
    const QString handler = desktopViewerChosen
            ? viewerchoice::defaultApplication(QLatin1String(viewerchoice::vrmlType))
            : QString();
    switch (viewerchoice::choose(desktopViewerChosen, handler)) {
    case Viewer::Desktop:
        m_context.dialogs->openUrl(QUrl::fromLocalFile(modelFile));
        return;
    case Viewer::WebNoDesktopViewer:
        m_context.dialogs->message(m_window, m_context.language.text(Text::NoDesktopViewer));
        break;
    case Viewer::Web:
        break;
    }
    showInBrowser(model, modelFile);
}

void WebCommands::showInBrowser(const CubeModel &model, const QString &modelFile)
{
    if (!m_server)
        m_server = std::make_unique<web::ViewerServer>();
    if (!m_server->start()) {
        m_context.dialogs->error(m_window, m_context.language.text(Text::WebNoServer));
        return;
    }
    const QString name = QFileInfo(modelFile).fileName();
    m_server->publish(web::makeContent(model, name), web::viewerPage(name, pageTexts()));
    if (!m_forward)
        m_forward = std::make_unique<web::ForwardPage>();
    QString error;
    if (!m_forward->write(m_server->pageUrl(), error)) {
        m_context.dialogs->error(m_window, m_context.language.text(Text::NoForwardPage).arg(error));
        return;
    }
    m_context.dialogs->openUrl(QUrl::fromLocalFile(m_forward->path()));
}

QString WebCommands::chooseFolder(const QString &title)
{
    SDweb.request.title = title;
    return SDweb.execute(*m_context.dialogs, m_window).value(0);
}

void WebCommands::saveForWeb(const QString &folder, const CubeModel &model)
{
    const QString name = QStringLiteral("model.wrl");
    QString error;
    switch (web::exportSite(folder, web::makeContent(model, name),
                            web::viewerPage(name, pageTexts()), web::xiteFolder(),
                            m_context.language, error)) {
    case web::ExportResult::Saved:
        break;
    case web::ExportResult::NotEmpty:
        m_context.dialogs->message(m_window, m_context.language.text(Text::WebFolderNotEmpty));
        break;
    case web::ExportResult::Failed:
        m_context.dialogs->error(m_window, error);
        break;
    }
}
