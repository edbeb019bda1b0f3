// How long a drop waits for its picture: our loader against QImageReader
// (Qt's own JPEG path, told the size it should scale to), both reading the
// same file from disk and ending with a picture of the slot's size.
//
// Files: the five shipped run-time pictures, a 4000 x 3000 photograph-like
// JPEG and a progressive one the benchmark writes itself. At the end it
// prints, per file, how many times faster our loader is, by processor time
// (steadier than wall time on a shared machine).

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

// Remembers each run's time so that the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, double> nanoseconds; // in each run's own unit (microseconds here)

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                nanoseconds[run.benchmark_name()] = run.GetAdjustedCPUTime();
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
    benchmark::Initialize(&argc, argv);

    QTemporaryDir dir;
    const QImage photo = JpegWriter::photograph(4000, 3000);
    JpegWriter::Options progressive;
    progressive.progressive = true;
    const QString big = dir.filePath("photo-4000x3000.jpg");
    const QString prog = dir.filePath("photo-4000x3000-progressive.jpg");
    if (!save(big, JpegWriter::encode(photo)) || !save(prog, JpegWriter::encode(photo, progressive))) {
        std::fprintf(stderr, "cannot write the test photographs in %s\n", qPrintable(dir.path()));
        return 1;
    }

    std::vector<std::pair<std::string, QString>> files;
    for (const char *name : {"circleNew.jpg", "parNew.jpg", "prNew.jpg", "uslNew.jpg", "fon.jpg"})
        files.emplace_back(name, QStringLiteral(ZARTEX_SOURCE_DIR "/assets/runtime/") + name);
    files.emplace_back("photo-4000x3000.jpg", big);
    files.emplace_back("photo-4000x3000-progressive.jpg", prog);

    benchmark::SetDefaultTimeUnit(benchmark::kMicrosecond);
    for (const auto &[name, path] : files) {
        benchmark::RegisterBenchmark(("ours/" + name).c_str(), ours, path);
        benchmark::RegisterBenchmark(("QImageReader/" + name).c_str(), qtReader, path);
        benchmark::RegisterBenchmark(("QImageReader-full/" + name).c_str(), qtFullDecode, path);
    }

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n%-34s %12s %14s %8s %14s %8s\n", "file (into 177 x 57)", "ours, CPU us", "QImageReader", "ratio",
                "full+scaled", "ratio");
    for (const auto &[name, path] : files) {
        const auto a = reporter.nanoseconds.find("ours/" + name);
        const auto b = reporter.nanoseconds.find("QImageReader/" + name);
        if (a == reporter.nanoseconds.end() || b == reporter.nanoseconds.end())
            continue; // filtered out or failed
        const auto c = reporter.nanoseconds.find("QImageReader-full/" + name);
        const double full = c == reporter.nanoseconds.end() ? 0.0 : c->second;
        std::printf("%-34s %12.1f %14.1f %7.2fx %14.1f %7.2fx\n", name.c_str(), a->second, b->second,
                    b->second / a->second, full, full / a->second);
    }
    return 0;
}
