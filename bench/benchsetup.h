#pragma once

#include "appcontext.h"
#include "cesta.h"
#include "dialogs.h"
#include "help.h"
#include "help2.h"
#include "lokalizace.h"
#include "nastaveni.h"
#include "programwindows.h"
#include "sheetprinting.h"
#include "tisky.h"
#include "trace.h"
#include "vemtal.h"

#include <QStringList>
#include <benchmark/benchmark.h>
#include <QTemporaryDir>
#include <memory>

// Answers every dialog without showing one: questions with `answer`, file
// dialogs with `files`, print and modal dialogs as cancelled.
class BenchDialogs : public Dialogs
{
public:
    bool answer = true;
    QStringList files;

    void message(QWidget *, const QString &) override {}
    void error(QWidget *, const QString &) override {}
    bool question(QWidget *, const QString &) override { return answer; }
    QStringList chooseFiles(QWidget *, const FileDialogRequest &) override { return files; }
    void openUrl(const QUrl &) override {}
    bool print(QWidget *, QPrinter *, const PrintRequest &, bool *) override { return false; }
    bool runModal(QDialog *) override { return false; }
};

// The six windows wired as the program's start-up wires them, the demo face
// set of examples/obrazkys in the main window, and a temporary folder.
// What the windows are built on: a temporary folder, the dialogs, the context.
struct BenchState
{
    BenchState();
    ~BenchState();

    QTemporaryDir dir;
    QString previousFolder;
    BenchDialogs dialogs;
    AppContext context;
};

struct BenchWindows : BenchState, ProgramWindows
{
    BenchWindows();
    ~BenchWindows();

    // Shows the quiz or trace window through the main window's menu command
    // (face set snapshot taken) and waits until it is exposed.
    bool showQuiz();
    bool showTrace();
    // Rolls the snake path on the upper net by clicks; true when all 150
    // rolls were taken.
    bool rollSnake();
    // The same for a benchmark: false, with the benchmark skipped and the
    // reason given, when the window cannot be shown or the snake not rolled.
    bool readyQuiz(benchmark::State &state);
    bool readyTrace(benchmark::State &state, bool withSnake);
    // Runs pending events, paints included.
    static void settle();
    QString tempPath(const QString &name) const;

    bool mainExposed = false;
};

namespace benchdata {

// Absolute paths of the six demo pictures, front to bottom.
QStringList demoPictures();
QString languageFile();

// The fields of a 150-move path from the start field that stays on the
// 13 x 7 drawn grid: a snake over rows 4..1, back along it, a snake over
// rows 4..7 and part of the way back. Returning over a field imprints it
// as before, so no roll is refused. Start field first (151 fields).
QList<die::Field> snakePath();
// The same path as a history of 150 direction codes.
trace::History snakeHistory();
// A trace of that history, its die set up with the given face rotations;
// the imprint is not replayed yet.
trace::Trace snakeTrace(const std::array<quint8, 6> &rotations = {});

} // namespace benchdata
