#pragma once

#include <QByteArray>
#include <QString>

// The exercise page as a SCORM 1.2 package for a learning platform: a zip
// of imsmanifest.xml and the page as index.html, one SCO.
namespace scorm {

constexpr char pageName[] = "index.html";

// The manifest: one organisation with one item, the page its resource;
// `masteryScore` (0..100) is the score from which the platform counts the
// lesson as passed.
QByteArray manifest(const QString &title, int masteryScore);

// The package's bytes; empty with `error` set when the zip cannot be made.
QByteArray package(const QByteArray &page, const QString &title, int masteryScore,
                   QString *error = nullptr);

} // namespace scorm
