#include "benchsetup.h"

#include <benchmark/benchmark.h>

namespace {

// The English language file read and applied to all six windows.
void BM_LanguageLoad(benchmark::State &state)
{
    BenchWindows w;
    const QString path = benchdata::languageFile();
    for (auto _ : state) {
        if (!LoadLanguageFile(w.context, w.languageWindows(), path))
            state.SkipWithError("language file not loaded");
    }
}
BENCHMARK(BM_LanguageLoad)->Unit(benchmark::kMicrosecond);

} // namespace
