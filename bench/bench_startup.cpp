// Start-up cost: creating the seventeen forms (their pictures decoded through
// the JPEG loader) and putting the main form on screen, as the program does
// before and behind the three-second splash. Prints the share of the splash
// time that start-up takes.

#include "Application.h"
#include "MainWindow.h"
#include "ProgramWindows.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <memory>

namespace {

void startUp(benchmark::State &state)
{
    for (auto _ : state) {
        auto windows = std::make_unique<ProgramWindows>(ProgramWindows::Splash::Skipped);
        windows->mainWindow()->show();
        QApplication::processEvents();
        state.PauseTiming();
        windows.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(startUp)->MinTime(2.0);

class SplashShareReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type != Run::RT_Iteration || run.iterations == 0)
                continue;
            const double seconds = run.real_accumulated_time / double(run.iterations);
            std::printf("start-up takes %.1f%% of the 3 s splash (%.1f ms)\n", 100.0 * seconds / 3.0, seconds * 1e3);
        }
    }
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Application::init(app);
    benchmark::SetDefaultTimeUnit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    SplashShareReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
