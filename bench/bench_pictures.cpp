// How long a drop waits for its picture: our loader against QImageReader
// (Qt's own JPEG path, told the size it should scale to), both reading the
// same file from disk and ending with a picture of the slot's size.
//
// Files: the five shipped run-time pictures and a 4000 x 3000 photograph-like
// JPEG the benchmark writes itself, sequential 4:2:0 and progressive 4:2:0
// and 4:4:4. Every case is repeated ten times, the repetitions of all cases
// interleaved in random order so that a slow moment of a shared machine
// does not fall on one case alone. At the end it prints, per file, the
// median processor time (steadier than wall time on a shared machine) and
// how many times faster our loader is.

#include "JpegLoader.h"
#include "JpegWriter.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <cstdio>
#include <map>
#include <string>

namespace {

// The size of a slot of the shape-placing boards.
const QSize slot(177, 57);

// Our path as the board takes it: decoded at the scale that covers the slot,
// then brought to the slot's exact size as the stretched control draws it.
void ours(benchmark::State &state, const QString &path)
{
    for (auto _ : state) {
        const LoadedPicture picture = JpegLoader::load(path, slot);
        if (!picture.ok()) {
            state.SkipWithError(qPrintable(picture.error));
            return;
        }
        const QImage drawn = picture.image.scaled(slot, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(drawn.constBits());
    }
}

void qtReader(benchmark::State &state, const QString &path)
{
    for (auto _ : state) {
        QImageReader reader(path);
        reader.setScaledSize(slot);
        const QImage drawn = reader.read();
        if (drawn.isNull()) {
            state.SkipWithError(qPrintable(reader.errorString()));
            return;
        }
        benchmark::DoNotOptimize(drawn.constBits());
    }
}

// Qt's default path, as a program that just loads the file and lets the
// stretched control scale it takes: the whole picture, then scaled.
void qtFullDecode(benchmark::State &state, const QString &path)
{
    for (auto _ : state) {
        QImageReader reader(path);
        const QImage full = reader.read();
        if (full.isNull()) {
            state.SkipWithError(qPrintable(reader.errorString()));
            return;
        }
        const QImage drawn = full.scaled(slot, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(drawn.constBits());
    }
}

// Remembers each case's median so that the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, double> medians; // in each run's own unit (microseconds here)

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median" && !run.error_occurred)
                medians[run.run_name.str()] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

bool save(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv); // lets QImageReader find its plugins
    // Repeated and interleaved unless the command line says otherwise (a
    // later flag wins).
    std::vector<char *> arguments{argv[0]};
    char repetitions[] = "--benchmark_repetitions=10";
    char interleaving[] = "--benchmark_enable_random_interleaving=true";
    char aggregatesOnly[] = "--benchmark_report_aggregates_only=true";
    char minTime[] = "--benchmark_min_time=0.1";
    arguments.insert(arguments.end(), {repetitions, interleaving, aggregatesOnly, minTime});
    arguments.insert(arguments.end(), argv + 1, argv + argc);
    int count = int(arguments.size());
    benchmark::Initialize(&count, arguments.data());

    QTemporaryDir dir;
    const QImage photo = JpegWriter::photograph(4000, 3000);
    JpegWriter::Options progressive;
    progressive.progressive = true;
    JpegWriter::Options progressiveFullColour = progressive;
    progressiveFullColour.fullColour = true;
    const QString big = dir.filePath("photo-4000x3000.jpg");
    const QString prog = dir.filePath("photo-4000x3000-progressive.jpg");
    const QString prog444 = dir.filePath("photo-4000x3000-progressive-444.jpg");
    if (!save(big, JpegWriter::encode(photo)) || !save(prog, JpegWriter::encode(photo, progressive))
        || !save(prog444, JpegWriter::encode(photo, progressiveFullColour))) {
        std::fprintf(stderr, "cannot write the test photographs in %s\n", qPrintable(dir.path()));
        return 1;
    }

    std::vector<std::pair<std::string, QString>> files;
    for (const char *name : {"circleNew.jpg", "parNew.jpg", "prNew.jpg", "uslNew.jpg", "fon.jpg"})
        files.emplace_back(name, QStringLiteral(ZARTEX_SOURCE_DIR "/assets/runtime/") + name);
    files.emplace_back("photo-4000x3000.jpg", big);
    files.emplace_back("photo-4000x3000-progressive.jpg", prog);
    files.emplace_back("photo-4000x3000-progressive-444.jpg", prog444);

    benchmark::SetDefaultTimeUnit(benchmark::kMicrosecond);
    for (const auto &[name, path] : files) {
        benchmark::RegisterBenchmark(("ours/" + name).c_str(), ours, path);
        benchmark::RegisterBenchmark(("QImageReader/" + name).c_str(), qtReader, path);
        benchmark::RegisterBenchmark(("QImageReader-full/" + name).c_str(), qtFullDecode, path);
    }

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\nMedian processor time per picture, microseconds:\n");
    std::printf("%-38s %12s %14s %8s %14s %8s\n", "file (into 177 x 57)", "ours", "QImageReader", "ratio",
                "full+scaled", "ratio");
    for (const auto &[name, path] : files) {
        const auto a = reporter.medians.find("ours/" + name);
        const auto b = reporter.medians.find("QImageReader/" + name);
        if (a == reporter.medians.end() || b == reporter.medians.end())
            continue; // filtered out or failed
        const auto c = reporter.medians.find("QImageReader-full/" + name);
        const double full = c == reporter.medians.end() ? 0.0 : c->second;
        std::printf("%-38s %12.1f %14.1f %7.2fx %14.1f %7.2fx\n", name.c_str(), a->second, b->second,
                    b->second / a->second, full, full / a->second);
    }
    return 0;
}
