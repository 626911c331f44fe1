// Benchmarks of what a teacher waits for, on the real windows, offscreen.
#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform cannot raise windows and says so at every raise.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.contains(QLatin1String("does not support raise()")))
        previousHandler(type, context, message);
}

} // namespace

int main(int argc, char **argv)
{
    // Windows are created and painted without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    previousHandler = qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
