#pragma once

#include "exercise.h"
#include "languagetexts.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

// The exercise as one self-contained HTML page: its style, its script and
// its data (the pictures as data: addresses) inside, a content security
// policy that lets it ask for nothing outside the file. Opened over http
// beside the folder "Uložit pro web" writes, and when the teacher allows
// it, it may also show the cube in 3D (x_ite/ and model.wrl beside it).
namespace exercise {

struct Options
{
    int passPercent = 60;      // lesson status "passed" from this score on
    bool allow3d = false;
};

// The page's texts by their key in the page's script, in the language in use.
QJsonObject pageTexts(const LanguageTexts &language);

// The exercise's data as the page reads it.
QJsonObject pageData(const Exercise &ex, const Options &options, const QJsonObject &texts);

// The whole page.
QByteArray page(const Exercise &ex, const Options &options, const LanguageTexts &language);

// A picture as a data: address, PNG or JPEG, whichever is smaller.
QString dataUrl(const QImage &image);

// The page's title: "vemtal – " and the exercise's kind.
QString pageTitle(const Exercise &ex, const LanguageTexts &language);

// What is saved: the page, or the page in a SCORM package (empty with
// `error` set when the package cannot be made).
QByteArray fileBytes(const Exercise &ex, const Options &options, const LanguageTexts &language,
                     bool scorm, QString *error);

} // namespace exercise
