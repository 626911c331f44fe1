#include "benchsetup.h"

#include "faceset.h"
#include "model.h"
#include "textfile.h"

#include <benchmark/benchmark.h>

namespace {

// The built-in template read from the resource and split into lines (once at start-up).
void BM_ModelTemplate(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(model::builtinTemplate());
}
BENCHMARK(BM_ModelTemplate)->Unit(benchmark::kMicrosecond);

// Template + tail, joined and written through QSaveFile.
void BM_ModelAssembleWrite(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("krychle.wrl"));
    const QStringList templateLines = model::builtinTemplate();
    QStringList labels;
    for (const QString &picture : benchdata::demoPictures())
        labels << faceset::quoted(picture);
    const QString rotations = faceset::rotationLine({ "1", "0", "3", "2", "0", "1" });
    for (auto _ : state) {
        QStringList lines = templateLines;
        lines << model::tail(rotations, labels, QStringLiteral("]}"));
        QString error;
        if (!textfile::writeFile(path, model::fileBytes(lines), error))
            state.SkipWithError("model not written");
    }
}
BENCHMARK(BM_ModelAssembleWrite)->Unit(benchmark::kMicrosecond);

// The main window's "save the cube" command (file dialog answered).
void BM_ModelSaveCommand(benchmark::State &state)
{
    BenchWindows w;
    w.dialogs.files = { w.tempPath(QStringLiteral("krychle.wrl")) };
    w.dialogs.answer = false;
    for (auto _ : state)
        w.form1->Uloitkrychli1Click();
    if (w.form1->workBuffer().size() != w.form1->modelTemplate().size() + 14)
        state.SkipWithError("model not assembled");
}
BENCHMARK(BM_ModelSaveCommand)->Unit(benchmark::kMicrosecond);

} // namespace
