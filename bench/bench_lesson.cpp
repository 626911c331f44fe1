#include "benchsetup.h"

#include "lessoncommands.h"

#include <QFileInfo>

#include <benchmark/benchmark.h>

namespace {

// Both sheets prepared (the trace with the 150-move snake) and confirmed;
// the data and settings folders are the benchmark's own.
bool readyLesson(BenchWindows &w, benchmark::State &state)
{
    qputenv("XDG_DATA_HOME", QFile::encodeName(w.tempPath(QStringLiteral("data"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(w.tempPath(QStringLiteral("config"))));
    if (!w.readyQuiz(state) || !w.readyTrace(state, true))
        return false;
    return true;
}

// "Uložit lekci…": the windows gathered, the pictures read, the zip written.
void BM_LessonSave(benchmark::State &state)
{
    BenchWindows w;
    if (!readyLesson(w, state))
        return;
    const QString path = w.tempPath(QStringLiteral("lekce.vemtal"));
    w.dialogs.files = {path};
    for (auto _ : state)
        w.form1->lessonCommands()->saveClick();
    if (!QFileInfo::exists(path))
        state.SkipWithError("lesson not saved");
}
BENCHMARK(BM_LessonSave)->Unit(benchmark::kMillisecond);

// "Otevřít lekci…": read and checked whole, the pictures unpacked, the
// windows brought back and redrawn. Argument 1: the first time on this
// computer, every picture unpacked anew; 0: its pictures there already.
void BM_LessonOpen(benchmark::State &state)
{
    BenchWindows w;
    if (!readyLesson(w, state))
        return;
    const QString path = w.tempPath(QStringLiteral("lekce.vemtal"));
    w.dialogs.files = {path};
    w.form1->lessonCommands()->saveClick();
    int round = 0;
    for (auto _ : state) {
        if (state.range(0) == 1) {
            state.PauseTiming();
            qputenv("XDG_DATA_HOME", QFile::encodeName(w.tempPath(QStringLiteral("data%1").arg(++round))));
            state.ResumeTiming();
        }
        if (!w.form1->lessonCommands()->open(path)) {
            state.SkipWithError("lesson not opened");
            return;
        }
        BenchWindows::settle();
    }
}
BENCHMARK(BM_LessonOpen)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace
