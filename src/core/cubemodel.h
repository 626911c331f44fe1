#pragma once

#include "faceset.h"
#include "fileaccess.h"
#include "model.h"

#include <QStringList>
#include <array>

// The cube model the main window writes and reads: the template (built in,
// with the language file's button texts), the work buffer (the model last
// written or read), and the files in the start folder: the preview file
// "protNNNN.wrl" and the template override "PROTOK.wrl".
class CubeModel
{
public:
    // `previewNumber` (0..9999) names the preview file.
    CubeModel(const QString &startFolder, int previewNumber);

    QString startFolder() const { return m_startFolder; }
    QString previewPath() const { return m_previewPath; }
    QString overridePath() const { return m_overridePath; }
    const QStringList &templateLines() const { return m_template; }
    const QStringList &workBuffer() const { return m_work; }

    // The texts of the model's buttons (model::uprav).
    void setButtonTexts(const std::array<QString, 8> &texts);

    // The work buffer becomes the override file's lines when that file
    // exists, the template otherwise, followed by the tail for the face set.
    Failure assemble(const LanguageTexts &language, const FaceSet &faces);
    // Assembles the model and writes it to `path`.
    Failure write(const LanguageTexts &language, const QString &path, const FaceSet &faces);
    // The model last assembled with other picture entries in its tail (the
    // web's addresses of the pictures); empty before the first assembly.
    QStringList assembledWith(const std::array<QString, faceset::slotCount> &pictures) const;
    const FaceSet &assembledFaces() const { return m_assembledFaces; }

    // Reads a model file, its relative picture entries taken from `folder`.
    // On success the work buffer holds its lines and `faces` its pictures
    // and rotations (the turnable flag stays); otherwise nothing changes. A
    // picture the model names that is there but is not a picture
    // (refusePictures) leaves its slot empty, and `refused` is the one
    // message that lists them.
    Failure load(const LanguageTexts &language, const QString &path, const QString &folder,
                 FaceSet &faces, Failure &refused);

    // Empties every label whose file is there but is not a regular file
    // that decodes as a picture (picturefile::read), and returns the message
    // that names each with its reason. A file that is not there at all
    // stays: it reads nothing, and a model saved with relative paths names
    // pictures that are copied beside it later.
    static Failure refusePictures(const LanguageTexts &language, std::array<QString, 6> &labels);

    // Refuses a picture path that cannot go into a model line.
    static Failure picturesFit(const LanguageTexts &language, const QStringList &paths);
    // The same, then refuses a picture that is not a file that can be read.
    static Failure picturesUsable(const LanguageTexts &language, const QStringList &paths);

private:
    QString m_startFolder;
    QString m_previewPath;
    QString m_overridePath;
    QStringList m_template = model::builtinTemplate();
    QStringList m_work = m_template;
    // The template part and the face set of the last assembly.
    QStringList m_assembledTemplate;
    FaceSet m_assembledFaces;
};
