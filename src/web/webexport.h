#pragma once

#include "languagetexts.h"
#include "webcontent.h"

#include <QString>

// "Save for the web": the site as files in a folder (index.html, model.wrl,
// obrazkys/, x_ite/) that any static web server can serve.
namespace web {

enum class ExportResult { Saved, NotEmpty, Failed };

// Writes into `folder`, which must be empty (it is made when missing).
// Everything is written under a temporary name inside it first and moved in
// place at the end, so a failure leaves the folder as it was; `error` then
// names the file and says why, in the language's words. A picture is
// copied only as the bytes that were read and decoded at that moment
// (picturefile::read); one that is not a picture fails the whole export.
ExportResult exportSite(const QString &folder, const Content &content, const QByteArray &page,
                        const QString &xiteFolder, const LanguageTexts &language, QString &error);

} // namespace web
