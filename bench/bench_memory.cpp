// Peak memory of the program (VmHWM, the most resident memory the process
// has held), with every window built as the program builds them:
//   bench_memory forms       once the main form is painted, then once every
//                            form is open and painted
//   bench_memory drop FILE   once the main form is painted, then after FILE
//                            is loaded into a slot of Task 10 as a drop loads it
//   bench_memory write DIR   writes the photographs the drops use
// Run each in a process of its own, on the platform the program uses (Xvfb).

#include "Application.h"
#include "CosineLawTask.h"
#include "JpegWriter.h"
#include "MainWindow.h"
#include "PictureBox.h"
#include "ProgramWindows.h"
#include "SplashScreen.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFile>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

double peakMegabytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6) / 1024.0;
    return 0;
}

void waitPainted(QWidget *window)
{
    if (!QTest::qWaitForWindowExposed(window))
        std::fprintf(stderr, "%s never came on screen\n", qPrintable(window->objectName()));
    QTest::qWait(50); // its first paint
}

bool write(const QString &path, const QImage &image, bool progressive, bool fullColour)
{
    JpegWriter::Options options;
    options.progressive = progressive;
    options.fullColour = fullColour;
    QFile file(path);
    const QByteArray bytes = JpegWriter::encode(image, options);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

int writePhotographs(const QString &dir)
{
    QDir().mkpath(dir);
    const QImage camera = JpegWriter::photograph(6000, 4000);
    const QImage square = JpegWriter::photograph(4000, 4000);
    const bool written = write(dir + "/camera-6000x4000-420.jpg", camera, false, false)
                         && write(dir + "/camera-6000x4000-420-progressive.jpg", camera, true, false)
                         && write(dir + "/square-4000x4000-444-progressive.jpg", square, true, true)
                         && write(dir + "/square-6500x6500-444-progressive.jpg", JpegWriter::photograph(6500, 6500),
                                  true, true);
    return written ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    const QString command = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (command == QLatin1String("write") && argc > 2)
        return writePhotographs(QString::fromLocal8Bit(argv[2]));
    if (command != QLatin1String("forms") && !(command == QLatin1String("drop") && argc > 2)) {
        std::fprintf(stderr, "usage: bench_memory forms | drop FILE | write DIR\n");
        return 2;
    }
    QApplication app(argc, argv);
    Application::init(app);
    ProgramWindows program(ProgramWindows::Splash::Skipped);
    program.mainWindow()->show();
    waitPainted(program.mainWindow());
    std::printf("  main form up:          peak %6.1f MB\n", peakMegabytes());

    if (command == QLatin1String("forms")) {
        for (QWidget *window : program.windows()) {
            if (window == static_cast<QWidget *>(program.splashScreen()))
                continue; // shown once, before everything else
            window->show();
        }
        for (QWidget *window : program.windows())
            if (window->isVisible())
                waitPainted(window);
        std::printf("  every form open:       peak %6.1f MB\n", peakMegabytes());
        return 0;
    }

    const QString file = QString::fromLocal8Bit(argv[2]);
    auto *slot = program.page<CosineLawTask>("cosineLaw")->findChild<PictureBox *>(QStringLiteral("startSlot"));
    QElapsedTimer clock;
    clock.start();
    const QString error = slot->loadFromFile(file);
    const double milliseconds = clock.nsecsElapsed() / 1e6;
    std::printf("  after the drop:        peak %6.1f MB  (%s %.0f KB, %.0f ms) %s\n", peakMegabytes(),
                qPrintable(QFileInfo(file).fileName()), QFileInfo(file).size() / 1024.0, milliseconds,
                error.isEmpty() ? "loaded" : qPrintable("refused: " + error));
    return 0;
}
