#include "benchsetup.h"

#include "quizfile.h"

#include <benchmark/benchmark.h>

namespace {

// A quiz with six thumbnails on the sheet, some squares hidden, and the task text.
quiz::QuizState quizOnSheet(const quiz::QuizState &from)
{
    quiz::QuizState state = from;
    for (int k = 0; k < 6; ++k) {
        quiz::Thumbnail &t = state.thumbnails[k];
        t.onSheet = true;
        t.left = 8 + (k % 3) * 144;
        t.top = 10 + (k / 3) * 120;
        t.states[k] = 4;
    }
    state.vstup = { QStringLiteral("Zadání:"), QStringLiteral("Které sítě jsou sítěmi této krychle?") };
    return state;
}

// The quiz sheet composed from the quiz window's controls, texts included.
void BM_QuizSheet(benchmark::State &state)
{
    BenchWindows w;
    if (!w.readyQuiz(state))
        return;
    if (!w.form2->loadQuizFile(quiz::writeQuiz(quizOnSheet(w.form2->quizState()))).isEmpty()) {
        state.SkipWithError("quiz not loaded");
        return;
    }
    w.form2->vstupDblClick();
    w.form2->Label1DblClick();
    BenchWindows::settle();
    for (auto _ : state)
        benchmark::DoNotOptimize(w.form2->printedSheet().compose(true));
}
BENCHMARK(BM_QuizSheet)->Unit(benchmark::kMicrosecond);

// The trace sheet composed from the trace window with a 150-move trace.
void BM_TraceSheet(benchmark::State &state)
{
    BenchWindows w;
    if (!w.readyTrace(state, true))
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(w.form4->printedSheet().compose(true));
}
BENCHMARK(BM_TraceSheet)->Unit(benchmark::kMicrosecond);

} // namespace
