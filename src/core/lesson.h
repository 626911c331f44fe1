#pragma once

#include "cutoutsheet.h"
#include "fileaccess.h"
#include "faceset.h"
#include "placement.h"
#include "quizsheet.h"
#include "tracesheet.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

// A whole lesson in one file (".vemtal"): a zip with a small JSON manifest,
// the six pictures and their 32 x 32 companions as they were read, the quiz
// sheet, both traces and their sheet, the page placement and the cut-out
// choices. A lesson from elsewhere is hostile until every entry and every
// field has been checked.
namespace lesson {

constexpr int formatVersion = 1;

struct Picture
{
    QByteArray data;        // the picture file's bytes; empty: no picture in the slot
    QByteArray suffix;      // "jpg", "png", "gif" or "bmp", from the decoded format
    QByteArray companion;   // the companion bitmap's bytes; empty when there is none
};

using Placement = placement::Choices;

// The trace sheet as the lesson keeps it: both nets as trace files, the
// mode, the active net, whether OK was pressed, the sheet's texts and task
// memo, and what the window shows of its own: which nets are shown, where
// the thumbnail lies, the arrows box and the model name; the nets' images
// as they were drawn, since a drawing keeps strokes no model replays.
struct Trace
{
    std::array<QByteArray, 2> netFiles;
    std::array<QImage, 2> netImages;      // the nets as drawn (430 x 232)
    bool pictureMode = false;
    int activeNet = 1;
    bool confirmed = false;
    std::array<sheet::Placed, 2> texts;   // popis, nazev
    QStringList memo;
    TraceSheet::View view;
    QString modelName;
};

struct Lesson
{
    FaceSet faces;                       // rotations and the turnable flag; paths are the reader's
    std::array<Picture, faceset::slotCount> pictures;
    std::optional<QuizSheet> quiz;       // when the quiz sheet was prepared
    QString modelName;                   // the quiz window's model name
    std::optional<Trace> trace;          // when the trace sheet was prepared
    Placement placement;
    cutout::Choices cutout;
};

// Limits of what a lesson may hold.
constexpr qint64 maxFileSize = 64 * 1024 * 1024;
constexpr int maxMemoLines = 200;

// The lesson file's bytes; empty with `error` set when it cannot be made.
QByteArray write(const Lesson &lesson, QString *error = nullptr);

enum class ReadError {
    None,
    NotALesson,      // not a zip, no manifest, another format
    NewerVersion,    // a version this program does not know
    Damaged,         // an entry or a field that does not check out
    TooLarge,
};

struct ReadResult
{
    ReadError error = ReadError::None;
    QString detail;   // what did not check out, for the message
    Lesson lesson;
    bool ok() const { return error == ReadError::None; }
};

// Parses and checks the whole file; nothing is to be applied unless ok().
ReadResult read(const QByteArray &bytes);
// What the teacher is told when the file at `path` was not read; empty when it was.
QString problemText(const LanguageTexts &language, const ReadResult &read, const QString &path);

// The trace sheet's own part of a lesson (net files, mode, active net,
// confirmed, texts, memo, view); none when the sheet was never prepared.
std::optional<Trace> traceOf(const TraceSheet &sheet);
// The lesson's nets read into the sheet as "Načíst zadání" reads them (the
// next showing takes them), its texts, memo and view set.
void restoreTrace(const Trace &trace, TraceSheet &sheet);

// The face set's pictures as a lesson keeps them: each read and checked
// (picturefile::read), with its companion bitmap where one decodes (a BMP
// picture is its own). The failure names the picture that cannot be used.
Failure readPictures(const LanguageTexts &language, const FaceSet &faces,
                     std::array<Picture, faceset::slotCount> &pictures);
// Writes the lesson's pictures into `folder` as stenaN.* (a file that holds
// the same bytes already is kept; a companion the lesson lacks is removed)
// and points the slots of `faces` at them.
Failure unpackPictures(const LanguageTexts &language, const Lesson &lesson, const QString &folder,
                       FaceSet &faces);

// A name for the folder the pictures are unpacked into: the same pictures
// give the same name.
QString contentHash(const Lesson &lesson);

} // namespace lesson
