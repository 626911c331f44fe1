#include "cubemodel.h"

#include "faceset.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

CubeModel::CubeModel(const QString &startFolder, int previewNumber)
    : m_startFolder(startFolder),
      m_previewPath(QDir(startFolder).filePath(QStringLiteral("prot%1.wrl").arg(previewNumber))),
      m_overridePath(QDir(startFolder).filePath(QStringLiteral("PROTOK.wrl"))),
      m_rotationLine(faceset::rotationLine(QStringList(faceset::slotCount, QStringLiteral("0"))))
{
}

void CubeModel::setRotations(const QStringList &edits)
{
    m_rotationLine = faceset::rotationLine(edits);
}

void CubeModel::setTurnable(bool turnable)
{
    m_closingLine = turnable ? QStringLiteral("] otocna TRUE}") : QStringLiteral("] otocna FALSE}");
}

void CubeModel::setButtonTexts(const std::array<QString, 8> &texts)
{
    model::uprav(m_template, texts);
}

Failure CubeModel::assemble(const LanguageTexts &language, const QStringList &labels)
{
    QStringList lines = m_template;
    if (QFileInfo::exists(m_overridePath)) {
        QByteArray bytes;
        if (Failure failed = fileaccess::read(language, m_overridePath, bytes))
            return failed;
        lines = textfile::splitLines(textfile::decodeText(bytes));
    }
    m_work = lines + model::tail(m_rotationLine, labels, m_closingLine);
    return {};
}

Failure CubeModel::write(const LanguageTexts &language, const QString &path,
                         const QStringList &labels)
{
    if (Failure failed = assemble(language, labels))
        return failed;
    return fileaccess::write(language, path, model::fileBytes(m_work));
}

Failure CubeModel::load(const LanguageTexts &language, const QString &path,
                        const QString &folder, model::Loaded &loaded, Failure &refused)
{
    QByteArray bytes;
    if (Failure failed = fileaccess::read(language, path, bytes))
        return failed;
    const QStringList lines = textfile::splitLines(textfile::decodeText(bytes));
    model::Loaded read;
    if (!model::load(lines, folder, read))
        return Failure::message(language.text(40, QStringLiteral("Chybný formát dat")));
    if (Failure failed = picturesFit(language, {read.labels.begin(), read.labels.end()}))
        return failed;
    refused = refusePictures(language, read.labels);
    m_work = lines;
    loaded = read;
    return {};
}

Failure CubeModel::refusePictures(const LanguageTexts &language, std::array<QString, 6> &labels)
{
    QStringList problems;
    for (QString &label : labels) {
        const QString path = faceset::unquoted(label);
        if (path.isEmpty())
            continue;
        picturefile::Problem problem;
        picturefile::read(path, problem);
        const int missing = problem.file.kind == regularfile::ReadError::System
                ? problem.file.systemError : 0;
        if (!problem || missing == ENOENT || missing == ENOTDIR)
            continue;
        problems << QDir::toNativeSeparators(path) + QLatin1String(": ")
                        + fileaccess::pictureProblemText(language, problem);
        label.clear();
    }
    if (problems.isEmpty())
        return {};
    return Failure::message(language.text(reasonText::RefusedPictures, QStringLiteral(
            "Tyto obrázky modelu nelze použít, jejich stěny zůstaly prázdné:"))
            + QLatin1Char('\n') + problems.join(QLatin1Char('\n')));
}

Failure CubeModel::picturesFit(const LanguageTexts &language, const QStringList &paths)
{
    for (const QString &path : paths)
        if (!model::fitsALine(path))
            return Failure::message(language.text(127, QStringLiteral(
                    "Cesta k obrázku obsahuje konec řádku. Obrázek nelze použít.")));
    return {};
}

Failure CubeModel::picturesUsable(const LanguageTexts &language, const QStringList &paths)
{
    if (Failure failed = picturesFit(language, paths))
        return failed;
    for (const QString &path : paths)
        if (Failure failed = fileaccess::checkReadable(language, path))
            return failed;
    return {};
}
