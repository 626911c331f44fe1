#pragma once

#include "filedialogstate.h"
#include "lesson.h"

#include <QObject>

struct AppContext;
class QAction;
class TForm1;
class TForm2;
class TForm4;
class TStranka;

// "Uložit lekci…" and "Otevřít lekci…": the whole lesson (the face set with
// its pictures, both sheets, the page placement and the cut-out choices) in
// one file. Opening checks the whole file before anything changes, unpacks
// the pictures into a folder of that lesson under the user's data folder
// and brings the windows back as they were saved.
class LessonCommands : public QObject
{
public:
    // The items go after `after` in its menu.
    LessonCommands(AppContext &context, TForm1 &main, TForm2 &quiz, TForm4 &trace,
                   TStranka &placement, QAction *after);

    void saveClick();
    void openClick();
    // Opens a lesson file; false (after one message) when nothing changed.
    bool open(const QString &path);

    // The lesson as the windows hold it now; false (after the message) when
    // a picture cannot be read.
    bool gather(lesson::Lesson &out);
    // Where a lesson's pictures are unpacked.
    static QString pictureFolder(const lesson::Lesson &lesson);

private:
    QAction *addItem(QAction *after, const char *name, Text caption, const char *shortcut,
                     void (LessonCommands::*handler)());
    void apply(const lesson::Lesson &lesson, const FaceSet &faces);
    QString text(Text line) const;

    AppContext &m_context;
    TForm1 &m_main;
    TForm2 &m_quiz;
    TForm4 &m_trace;
    TStranka &m_placement;
    FileDialogState SDlekce;
    FileDialogState ODlekce;
};
