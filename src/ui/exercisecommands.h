#pragma once

#include "exercisepage.h"
#include "filedialogstate.h"
#include "sheetcommands.h"

#include <QObject>
#include <optional>

struct AppContext;
class QAction;
class TForm2;
class TForm4;

// The menus' commands that save a prepared sheet as an exercise for pupils:
// one HTML page, or that page in a SCORM package for a learning platform.
// Each is enabled with its sheet's print command (after OK), asks for the
// options, then for the file.
class ExerciseCommands : public QObject
{
public:
    ExerciseCommands(AppContext &context, QWidget *window, TForm2 &quiz, TForm4 &trace,
                     const SheetCommands::Menu &menu);

    void saveQuiz() { save(exercise::Kind::Quiz, false); }
    void saveQuizScorm() { save(exercise::Kind::Quiz, true); }
    void saveTrace() { save(exercise::Kind::Trace, false); }
    void saveTraceScorm() { save(exercise::Kind::Trace, true); }

    // The exercise of a sheet as it lies now.
    exercise::Exercise quizExercise() const;
    exercise::Exercise traceExercise() const;

private:
    void save(exercise::Kind kind, bool scorm);
    // A new item after `after` in its menu, enabled whenever `gate` is.
    QAction *addItem(QAction *after, QAction *gate, const char *name, Text caption,
                     void (ExerciseCommands::*handler)());

    AppContext &m_context;
    QWidget *m_window;
    TForm2 &m_quiz;
    TForm4 &m_trace;
    exercise::Options m_options;   // the last ones chosen, for the next time in this run
    FileDialogState SDcviceniKviz;
    FileDialogState SDcviceniStopa;
    FileDialogState SDscormKviz;
    FileDialogState SDscormStopa;
};
