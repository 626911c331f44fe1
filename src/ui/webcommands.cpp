#include "webcommands.h"

#include "appcontext.h"
#include "dialogs.h"
#include "forwardpage.h"
#include "viewerserver.h"
#include "webexport.h"

#include <QFileInfo>

namespace {

// Language file lines of the web commands' messages and the page's texts.
constexpr int lineNotEmpty = 131;
constexpr int lineNoServer = 132;
constexpr int lineNoWebGL = 133;
constexpr int lineLoadFailed = 134;
constexpr int lineLoading = 135;
constexpr int lineOpenedFromFile = 136;
constexpr int lineNoForwardPage = 156;

} // namespace

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
    texts.loading = m_context.language.text(lineLoading, QStringLiteral("Načítám krychli…"));
    texts.noWebGL = m_context.language.text(
            lineNoWebGL, QStringLiteral(
                    "Tento prohlížeč nemá zapnutou grafiku WebGL 2, proto v něm krychli nelze zobrazit. "
                    "Zkontrolujte v nastavení prohlížeče, že je zapnutá hardwarová (grafická) akcelerace, "
                    "a prohlížeč spusťte znovu. Co grafika prohlížeče umí, ukáže stránka chrome://gpu "
                    "(Chromium, Chrome) nebo about:support (Firefox) napsaná do adresního řádku."));
    texts.loadFailed = m_context.language.text(
            lineLoadFailed, QStringLiteral("Model krychle se nepodařilo načíst."));
    texts.openedFromFile = m_context.language.text(
            lineOpenedFromFile, QStringLiteral("Model krychle se nepodařilo načíst. Stránku uloženou pro web je třeba otevřít přes webový server, ne přímo ze souboru."));
    return texts;
}

void WebCommands::showInBrowser(const QStringList &modelLines, const QStringList &labels,
                                const QString &modelFile)
{
    if (!m_server)
        m_server = std::make_unique<web::ViewerServer>();
    if (!m_server->start()) {
        m_context.dialogs->error(m_window, m_context.language.text(
                lineNoServer, QStringLiteral("Krychli nelze zobrazit v prohlížeči: program nemohl spustit svůj místní webový server.")));
        return;
    }
    const QString name = QFileInfo(modelFile).fileName();
    m_server->publish(web::makeContent(modelLines, labels, name), web::viewerPage(name, pageTexts()));
    if (!m_forward)
        m_forward = std::make_unique<web::ForwardPage>();
    QString error;
    if (!m_forward->write(m_server->pageUrl(), error)) {
        m_context.dialogs->error(m_window, m_context.language.text(
                lineNoForwardPage, QStringLiteral("Krychli nelze zobrazit v prohlížeči: program nemohl zapsat stránku, kterou prohlížeč otevře (%1)."))
                                           .arg(error));
        return;
    }
    m_context.dialogs->openUrl(QUrl::fromLocalFile(m_forward->path()));
}

QString WebCommands::chooseFolder(const QString &title)
{
    SDweb.request.title = title;
    return SDweb.execute(*m_context.dialogs, m_window).value(0);
}

void WebCommands::saveForWeb(const QString &folder, const QStringList &modelLines,
                             const QStringList &labels)
{
    const QString name = QStringLiteral("model.wrl");
    QString error;
    switch (web::exportSite(folder, web::makeContent(modelLines, labels, name),
                            web::viewerPage(name, pageTexts()), web::xiteFolder(),
                            m_context.language, error)) {
    case web::ExportResult::Saved:
        break;
    case web::ExportResult::NotEmpty:
        m_context.dialogs->message(m_window, m_context.language.text(
                lineNotEmpty, QStringLiteral("Složka pro web musí být prázdná. Vyberte prázdnou složku nebo vytvořte novou.")));
        break;
    case web::ExportResult::Failed:
        m_context.dialogs->error(m_window, error);
        break;
    }
}
