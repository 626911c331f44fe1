#include "benchsetup.h"

#include "quizfile.h"
#include "textfile.h"
#include "tracefile.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

namespace {

// The main window's "save quiz" command: the quiz window's state to a file.
void BM_QuizFileSave(benchmark::State &state)
{
    BenchWindows w;
    if (!w.readyQuiz(state))
        return;
    const QString path = w.tempPath(QStringLiteral("kviz.tkt"));
    w.dialogs.files = { path };
    for (auto _ : state)
        w.form1->sheetCommands()->Ulokviz1Click();
    if (!QFileInfo::exists(path))
        state.SkipWithError("quiz not saved");
}
BENCHMARK(BM_QuizFileSave)->Unit(benchmark::kMicrosecond);

// The main window's "load quiz" command: read, parse, apply and redraw the
// shown quiz window.
void BM_QuizFileLoad(benchmark::State &state)
{
    BenchWindows w;
    if (!w.readyQuiz(state))
        return;
    const QString path = w.tempPath(QStringLiteral("kviz.tkt"));
    QString error;
    textfile::writeFile(path, w.form2->quizFileBytes(), error);
    w.dialogs.files = { path };
    for (auto _ : state) {
        w.form1->sheetCommands()->Nastkviz1Click();
        BenchWindows::settle();
    }
}
BENCHMARK(BM_QuizFileLoad)->Unit(benchmark::kMicrosecond);

// A quiz file written and read without the windows.
void BM_QuizFileCore(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kviz.tkt"));
    quiz::QuizState quizState;
    quizState.vstup = { QStringLiteral("Zadání:"), QStringLiteral("Které sítě patří k této krychli?") };
    quizState.dalsi = { QStringLiteral("Další text:") };
    for (auto _ : state) {
        QString error;
        textfile::ReadError readError;
        QByteArray bytes;
        if (!textfile::writeFile(path, quiz::writeQuiz(quizState), error)
            || !textfile::readFile(path, bytes, readError) || !quiz::readQuiz(bytes).ok())
            state.SkipWithError("quiz file round trip failed");
    }
}
BENCHMARK(BM_QuizFileCore)->Unit(benchmark::kMicrosecond);

// The main window's "save traces" command: both nets of a 150-move trace window.
void BM_TraceFileSave(benchmark::State &state)
{
    BenchWindows w;
    if (!w.readyTrace(state, true))
        return;
    w.dialogs.files = { w.tempPath(QStringLiteral("stopa.tpt")) };
    for (auto _ : state)
        w.form1->sheetCommands()->Uloitzadn1Click();
}
BENCHMARK(BM_TraceFileSave)->Unit(benchmark::kMicrosecond);

// The main window's "load traces" command: both nets read from a 150-move
// trace file, the trace window shown again and both nets rebuilt and drawn.
void BM_TraceFileLoad(benchmark::State &state)
{
    BenchWindows w;
    const QString path = w.tempPath(QStringLiteral("stopa.tpt"));
    trace::Trace t = benchdata::snakeTrace();
    t.prepocti_obrazek();
    QString error;
    textfile::writeFile(path, tracefile::write(t.traceGrid, t.history), error);
    w.dialogs.files = { path };
    for (auto _ : state) {
        w.form1->sheetCommands()->Nastzadn1Click();
        BenchWindows::settle();
    }
    if (w.form4->net(2).history != t.history)
        state.SkipWithError("trace not loaded");
}
BENCHMARK(BM_TraceFileLoad)->Unit(benchmark::kMicrosecond);

// A 150-move trace file written and read without the windows.
void BM_TraceFileCore(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("stopa.tpt"));
    trace::Trace t = benchdata::snakeTrace();
    t.prepocti_obrazek();
    for (auto _ : state) {
        QString error;
        textfile::ReadError readError;
        QByteArray bytes;
        if (!textfile::writeFile(path, tracefile::write(t.traceGrid, t.history), error)
            || !textfile::readFile(path, bytes, readError) || !tracefile::read(bytes))
            state.SkipWithError("trace file round trip failed");
    }
}
BENCHMARK(BM_TraceFileCore)->Unit(benchmark::kMicrosecond);

// "Load cube" given a 50 MB file of noise: refused by its size, nothing read.
void BM_HugeModelRefused(benchmark::State &state)
{
    BenchWindows w;
    const QString path = w.tempPath(QStringLiteral("noise.wrl"));
    QByteArray noise(50 * 1024 * 1024, Qt::Uninitialized);
    QRandomGenerator(12345).fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
    QString error;
    textfile::writeFile(path, noise, error);
    const QStringList labels = w.form1->pathLabels();
    w.dialogs.files = { path };
    for (auto _ : state)
        w.form1->Nastkrychli1Click();
    if (w.form1->pathLabels() != labels)
        state.SkipWithError("the noise was loaded");
}
BENCHMARK(BM_HugeModelRefused)->Unit(benchmark::kMicrosecond);

// The quiz reader given a file at the size limit that is not a quiz: the
// mark after it, then one 8 MB line of noise (no line end, no valid line).
void BM_QuizNoiseRefused(benchmark::State &state)
{
    QByteArray bytes("KK\r\n");
    bytes.resize(textfile::maxReadSize);
    QRandomGenerator random(42);
    for (qsizetype i = 4; i < bytes.size(); ++i)
        bytes[i] = char('J' + random.bounded(4));
    for (auto _ : state)
        if (quiz::readQuiz(bytes).ok())
            state.SkipWithError("the noise was read as a quiz");
}
BENCHMARK(BM_QuizNoiseRefused)->Unit(benchmark::kMillisecond);

// A quiz file with 100,000 task lines: read in linear time.
void BM_QuizManyMemoLines(benchmark::State &state)
{
    QByteArray bytes = "KK\r\n";
    for (int k = 0; k < quiz::thumbnailCount; ++k)
        bytes += "I 0 8 7 000000\r\n";
    for (int i = 0; i < 100000; ++i)
        bytes += "V " + QByteArray::number(i) + "\r\n";
    for (auto _ : state)
        if (quiz::readQuiz(bytes).state.vstup.size() != 100000)
            state.SkipWithError("memo lines lost");
}
BENCHMARK(BM_QuizManyMemoLines)->Unit(benchmark::kMillisecond);

} // namespace
