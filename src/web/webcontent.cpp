#include "webcontent.h"

#include "appdata.h"
#include "cubemodel.h"
#include "faceset.h"
#include "model.h"
#include "textfile.h"

#include <QFile>

namespace web {

QString pictureName(int slot, picturefile::Format format)
{
    return QStringLiteral("obrazkys/%1.%2").arg(slot).arg(picturefile::suffix(format));
}

Content makeContent(const CubeModel &model, const QString &modelName)
{
    Content content;
    content.modelName = modelName;
    std::array<QString, faceset::slotCount> names;
    for (int slot = 0; slot < faceset::slotCount; ++slot) {
        const QString &file = model.assembledFaces().picture(slot);
        if (file.isEmpty())
            continue;
        Picture &picture = content.pictures[slot];
        picture.file = file;
        const picturefile::Format format = picturefile::read(file, picture.problem).format;
        if (format == picturefile::Format::None)
            continue;
        picture.name = names[slot] = pictureName(slot, format);
    }
    content.model = model::fileBytes(model.assembledWith(names));
    return content;
}

QByteArray viewerPage(const QString &modelName, const PageTexts &texts)
{
    QFile file(QStringLiteral(":/web/viewer.html"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString page = QString::fromUtf8(file.readAll());
    page.replace(QLatin1String("@MODEL@"), modelName.toHtmlEscaped());
    page.replace(QLatin1String("@LOADING@"), texts.loading.toHtmlEscaped());
    page.replace(QLatin1String("@NOWEBGL@"), texts.noWebGL.toHtmlEscaped());
    page.replace(QLatin1String("@FAILED@"), texts.loadFailed.toHtmlEscaped());
    page.replace(QLatin1String("@FILE@"), texts.openedFromFile.toHtmlEscaped());
    return page.toUtf8();
}

const QStringList &xiteFiles()
{
    static const QStringList files = [] {
        QStringList names;
        QFile list(QStringLiteral(":/web/x_ite-files.txt"));
        if (list.open(QIODevice::ReadOnly))
            for (const QString &line : textfile::splitLines(QString::fromUtf8(list.readAll())))
                if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
                    names << line;
        return names;
    }();
    return files;
}

QString xiteFolder()
{
    return appdata::path(QStringLiteral("x_ite"));
}

QByteArray contentType(const QString &name)
{
    static const QList<std::pair<QLatin1String, QByteArray>> types = {
        {QLatin1String("html"), "text/html; charset=utf-8"},
        {QLatin1String("wrl"), "model/vrml; charset=utf-8"},
        {QLatin1String("js"), "text/javascript"},
        {QLatin1String("css"), "text/css"},
        {QLatin1String("woff2"), "font/woff2"},
        {QLatin1String("wasm"), "application/wasm"},
        {QLatin1String("md"), "text/plain; charset=utf-8"},
        {QLatin1String("txt"), "text/plain; charset=utf-8"},
        {QLatin1String("jpg"), "image/jpeg"},
        {QLatin1String("jpeg"), "image/jpeg"},
        {QLatin1String("png"), "image/png"},
        {QLatin1String("gif"), "image/gif"},
        {QLatin1String("bmp"), "image/bmp"},
        {QLatin1String("webp"), "image/webp"},
    };
    const QString suffix = name.section(QLatin1Char('.'), -1).toLower();
    if (name.contains(QLatin1Char('.')))
        for (const auto &[known, type] : types)
            if (suffix == known)
                return type;
    return "application/octet-stream";
}

} // namespace web
