#pragma once

#include "fileaccess.h"
#include "model.h"

#include <QStringList>
#include <array>

// The cube model the main window writes and reads: the template (built in,
// with the language file's button texts), the work buffer (the model last
// written or read), the rotation and closing lines kept from the face set's
// controls, and the files in the start folder: the preview file
// "protNNNN.wrl" and the template override "PROTOK.wrl".
class CubeModel
{
public:
    // `previewNumber` (0..9999) names the preview file.
    CubeModel(const QString &startFolder, int previewNumber);

    QString startFolder() const { return m_startFolder; }
    QString previewPath() const { return m_previewPath; }
    QString overridePath() const { return m_overridePath; }
    QString rotationLine() const { return m_rotationLine; }
    QString closingLine() const { return m_closingLine; }
    const QStringList &templateLines() const { return m_template; }
    const QStringList &workBuffer() const { return m_work; }

    void setRotations(const QStringList &edits);
    void setTurnable(bool turnable);
    // The texts of the model's buttons (model::uprav).
    void setButtonTexts(const std::array<QString, 8> &texts);

    // The work buffer becomes the override file's lines when that file
    // exists, the template otherwise, followed by the tail for the labels.
    Failure assemble(const LanguageTexts &language, const QStringList &labels);
    // Assembles the model and writes it to `path`.
    Failure write(const LanguageTexts &language, const QString &path, const QStringList &labels);
    // Reads a model file, its relative picture entries taken from `folder`.
    // On success the work buffer holds its lines and `loaded` the face set;
    // otherwise nothing changes. A picture the model names that is there but
    // is not a picture (refusePictures) leaves its slot empty, and `refused`
    // is the one message that lists them.
    Failure load(const LanguageTexts &language, const QString &path, const QString &folder,
                 model::Loaded &loaded, Failure &refused);

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
    QString m_rotationLine;
    QString m_closingLine = QStringLiteral("] otocna TRUE}");
    QStringList m_template = model::builtinTemplate();
    QStringList m_work = m_template;
};
