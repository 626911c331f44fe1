#include "viewerchoice.h"

#include "appsettings.h"

#include <QProcess>
#include <QRegularExpression>

namespace viewerchoice {

namespace {

const QString settingKey = QStringLiteral("krychle/prohlizecVRML");

} // namespace

Viewer choose(bool desktopViewerChosen, const QString &defaultApplication)
{
    if (!desktopViewerChosen)
        return Viewer::Web;
    // The program itself would load the file as a model, not show it.
    if (defaultApplication.isEmpty() || defaultApplication == QLatin1String(ownDesktopEntry))
        return Viewer::WebNoDesktopViewer;
    return Viewer::Desktop;
}

QString defaultApplication(const QString &mimeType)
{
    // The desktop's MIME database, as xdg-open consults it.
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForFinished(3000)) {
        query.kill();
        query.waitForFinished();
        return {};
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return {};
    return desktopEntryId(query.read(1024));
}

QString desktopEntryId(const QByteArray &output)
{
    const QString id = QString::fromUtf8(output).trimmed();
    static const QRegularExpression desktopId(QStringLiteral("^[A-Za-z0-9_.+-]{1,200}\\.desktop$"));
    return desktopId.match(id).hasMatch() ? id : QString();
}

bool desktopViewerChosen()
{
    return appsettings::read().value(settingKey, false).toBool();
}

void setDesktopViewerChosen(bool chosen)
{
    appsettings::write({{settingKey, chosen}});
}

} // namespace viewerchoice
