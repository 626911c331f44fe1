#include "benchsetup.h"

#include <benchmark/benchmark.h>

namespace {

// "Obnovit původní otočení": six face tiles reloaded, twelve thumbnails
// redrawn in their original turns and painted.
void BM_QuizObnov(benchmark::State &state)
{
    BenchWindows w;
    if (!w.readyQuiz(state))
        return;
    for (auto _ : state) {
        w.form2->obnov();
        BenchWindows::settle();
    }
}
BENCHMARK(BM_QuizObnov)->Unit(benchmark::kMicrosecond);

// The thumbnails redrawn from their states (after a quiz file is loaded).
void BM_QuizPreber(benchmark::State &state)
{
    BenchWindows w;
    if (!w.readyQuiz(state))
        return;
    for (auto _ : state) {
        w.form2->preber();
        BenchWindows::settle();
    }
}
BENCHMARK(BM_QuizPreber)->Unit(benchmark::kMicrosecond);

} // namespace
