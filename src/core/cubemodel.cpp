#include "cubemodel.h"

#include "faceset.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

CubeModel::CubeModel(const QString &startFolder, int previewNumber)
    : m_startFolder(startFolder),
      m_previewPath(QDir(startFolder).filePath(QStringLiteral("prot%1.wrl").arg(previewNumber))),
      m_overridePath(QDir(startFolder).filePath(QStringLiteral("PROTOK.wrl")))
{
}

void CubeModel::setButtonTexts(const std::array<QString, 8> &texts)
{
    model::uprav(m_template, texts);
}

Failure CubeModel::assemble(const LanguageTexts &language, const FaceSet &faces)
{
    QStringList lines = m_template;
    if (QFileInfo::exists(m_overridePath)) {
        QByteArray bytes;
        if (Failure failed = fileaccess::read(language, m_overridePath, bytes))
            return failed;
        lines = textfile::splitLines(textfile::decodeText(bytes));
    }
    m_assembledTemplate = lines;
    m_assembledFaces = faces;
    m_work = lines + model::tail(faces);
    return {};
}

Failure CubeModel::write(const LanguageTexts &language, const QString &path, const FaceSet &faces)
{
    if (Failure failed = assemble(language, faces))
        return failed;
    return fileaccess::write(language, path, model::fileBytes(m_work));
}

QStringList CubeModel::assembledWith(const std::array<QString, faceset::slotCount> &pictures) const
{
    if (m_assembledTemplate.isEmpty())
        return {};
    FaceSet faces = m_assembledFaces;
    for (int slot = 0; slot < faceset::slotCount; ++slot)
        faces.setPicture(slot, pictures[slot]);
    return m_assembledTemplate + model::tail(faces);
}

Failure CubeModel::load(const LanguageTexts &language, const QString &path,
                        const QString &folder, FaceSet &faces, Failure &refused)
{
    QByteArray bytes;
    if (Failure failed = fileaccess::read(language, path, bytes))
        return failed;
    const QStringList lines = textfile::splitLines(textfile::decodeText(bytes));
    model::Loaded read;
    if (!model::load(lines, folder, read))
        return Failure::message(language.text(Text::WrongFormat));
    if (Failure failed = picturesFit(language, {read.labels.begin(), read.labels.end()}))
        return failed;
    refused = refusePictures(language, read.labels);
    m_work = lines;
    for (int slot = 0; slot < faceset::slotCount; ++slot) {
        faces.setPicture(slot, faceset::unquoted(read.labels[slot]));
        faces.setRotationText(slot, read.rotations[slot]);
    }
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
    return Failure::message(language.text(Text::RefusedPictures)
            + QLatin1Char('\n') + problems.join(QLatin1Char('\n')));
}

Failure CubeModel::picturesFit(const LanguageTexts &language, const QStringList &paths)
{
    for (const QString &path : paths)
        if (!model::fitsALine(path))
            return Failure::message(language.text(Text::PathWithLineBreak));
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
