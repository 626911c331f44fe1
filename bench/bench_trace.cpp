#include "benchsetup.h"

#include "canvas.h"
#include "facetiles.h"
#include "tracedrawing.h"

#include <QPushButton>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

// "překreslit obrázek" on a 150-move trace: replayed and redrawn with arrows.
void BM_TraceRedraw(benchmark::State &state)
{
    BenchWindows w;
    if (!w.readyTrace(state, true))
        return;
    auto *oprav = w.form4->findChild<QPushButton *>(QStringLiteral("oprav"));
    for (auto _ : state) {
        oprav->click();
        BenchWindows::settle();
    }
}
BENCHMARK(BM_TraceRedraw)->Unit(benchmark::kMicrosecond);

// The same replay and drawing without the window.
void BM_TraceReplayCore(benchmark::State &state)
{
    trace::Trace t = benchdata::snakeTrace({ 1, 0, 3, 2, 0, 1 });
    tracedraw::Tiles tiles;
    const QStringList pictures = benchdata::demoPictures();
    for (int i = 0; i < 6; ++i)
        tiles[i] = facetiles::mirrored(facetiles::loadTile(QString(), pictures[i]));
    QImage image(tracedraw::imageWidth, tracedraw::imageHeight, QImage::Format_RGB32);
    Canvas canvas(image);
    for (auto _ : state) {
        t.prepocti_obrazek();
        tracedraw::prekresli_obrazek(canvas, t.history, t.traceGrid, tiles, t.initial, true);
    }
}
BENCHMARK(BM_TraceReplayCore)->Unit(benchmark::kMicrosecond);

// One roll by a click on the net (press and release), with its drawing.
void BM_TraceRollClick(benchmark::State &state)
{
    BenchWindows w;
    if (!w.readyTrace(state, false))
        return;
    auto *net = w.form4->findChild<QWidget *>(QStringLiteral("Image5"));
    auto *undo = w.form4->findChild<QPushButton *>(QStringLiteral("undo"));
    const QPoint right(33 * 7 + 17, 33 * 3 + 17);   // the field right of the start
    for (auto _ : state) {
        QTest::mouseClick(net, Qt::LeftButton, {}, right);
        BenchWindows::settle();
        state.PauseTiming();
        undo->click();
        state.ResumeTiming();
    }
    if (w.form4->net(1).history.count != 0)
        state.SkipWithError("roll not undone");
}
BENCHMARK(BM_TraceRollClick)->Unit(benchmark::kMicrosecond);

} // namespace
