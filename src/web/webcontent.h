#pragma once

#include "picturefile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>

// What the web viewer shows, the same on the program's own server and in a
// folder saved for the web: the page "index.html", the model "model.wrl",
// the pictures the model names under "obrazkys/", and X_ITE under "x_ite/".
class CubeModel;

namespace web {

// A picture of the model: its address in the site and its file on disk.
struct Picture
{
    QString name;   // "obrazkys/0.jpg"; empty when the slot has no picture or it was refused
    QString file;
    picturefile::Problem problem;   // why the file was refused
};

struct Content
{
    QString modelName;                 // the file name shown on the page
    QByteArray model;                  // the model, picture entries by their site names
    std::array<Picture, 6> pictures;
};

// The page's messages, from the language file or built in.
struct PageTexts
{
    QString loading;
    QString noWebGL;
    QString loadFailed;
    QString openedFromFile;   // the saved page opened as a file, not from a web server
};

// The site name of a picture: "obrazkys/" + its slot + the suffix of the
// format it decoded as ("obrazkys/2.gif").
QString pictureName(int slot, picturefile::Format format);

// The model last assembled, with each picture entry replaced by the
// picture's site name; an empty slot stays empty. Each picture is read and
// checked (picturefile::read): one that is not a picture gets no name, and
// its entry is left empty like that of an empty slot, so that the model
// does not carry its path either.
Content makeContent(const CubeModel &model, const QString &modelName);

// The viewer page with the model's file name and the texts filled in.
QByteArray viewerPage(const QString &modelName, const PageTexts &texts);

// The bundled X_ITE files, relative to the X_ITE folder ("x_ite.min.js", ...).
const QStringList &xiteFiles();
// Where they are: share/vemtal/x_ite beside the program.
QString xiteFolder();

// Content type of a site name by its suffix.
QByteArray contentType(const QString &name);

} // namespace web
