#pragma once

#include "faceset.h"

#include <QString>
#include <QStringList>
#include <array>

// The VRML model of the cube: the template followed by a fourteen-line tail
// that instantiates the cube prototype with the face set.
namespace model {

// Lines of the built-in template (a compiled-in resource).
QStringList builtinTemplate();

// Replaces the four button text pairs of a template: for each line from index
// 1000 on that contains "DEF RUKAn Tlacitko {", the next line becomes the
// obsahAlt text and the one after it the obsah text, each escaped as a VRML
// string as picture entries are. `texts` holds obsahAlt, obsah for RUKA,
// RUKA2, RUKA3 and RUKA4 in that order. A template of 1000 lines or fewer is
// left alone.
void uprav(QStringList &templateLines, const std::array<QString, 8> &texts);

// A picture entry as a VRML string line: the stored label "\"path\"" with the
// path escaped ('"' and '\' get a backslash). An empty label stays empty.
QString vrmlEntry(const QString &stored);

// False for a path with a line feed or a carriage return: a model is read
// line by line, so such a picture cannot be written so that it reads back.
bool fitsALine(const QString &path);

// The relative form of a stored label: from the first "obrazkys" on, in
// quotes. A label without "obrazkys" stays as it is.
QString relativeEntry(const QString &stored);
// The same for a path without quotes.
QString relativePath(const QString &path);

// The tail's length and where its six picture entries begin in it.
constexpr int tailLineCount = 14;
constexpr int tailFirstEntry = 3;

// The fourteen tail lines for six stored labels.
QStringList tail(const QString &rotationLine, const QStringList &storedLabels,
                 const QString &closingLine);

// The tail for a face set.
QStringList tail(const FaceSet &faces);

// The whole model as file bytes: UTF-8, every line ended by CR LF.
QByteArray fileBytes(const QStringList &lines);

// What a model file gives back to the face set.
struct Loaded
{
    std::array<QString, 6> labels;    // stored form, with quotes; empty for an empty entry
    std::array<QString, 6> rotations; // "0".."3"
};

// Finds the picture entries and the rotation line by their places at the end
// of the file. Relative entries are joined to `folder` ("\" read as "/");
// absolute ones are kept. Returns false when the lines hold no model tail.
bool load(const QStringList &lines, const QString &folder, Loaded &out);

} // namespace model
