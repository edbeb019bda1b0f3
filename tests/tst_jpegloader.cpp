// The picture loader against good and bad files.

#include "JpegLoader.h"
#include "JpegWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/types.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QString write(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

// A JPEG whose frame header declares another size than its data holds.
QByteArray withDeclaredSize(QByteArray jpeg, int width, int height)
{
    for (int i = 0; i + 9 < jpeg.size(); ++i) {
        const auto marker = static_cast<unsigned char>(jpeg[i + 1]);
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF && (marker == 0xC0 || marker == 0xC2)) {
            jpeg[i + 5] = char(height >> 8);
            jpeg[i + 6] = char(height & 0xFF);
            jpeg[i + 7] = char(width >> 8);
            jpeg[i + 8] = char(width & 0xFF);
            break;
        }
    }
    return jpeg;
}

const QString shipped = QStringLiteral(ZARTEX_SOURCE_DIR "/assets/runtime/");

} // namespace

class JpegLoaderTest : public QObject
{
    Q_OBJECT

private slots:
    void decodesTheShippedPictures();
    void scalesInTheDctToCoverTheTarget();
    void badFilesGiveAClearError_data();
    void badFilesGiveAClearError();
    void missingFileSaysCannotOpen();
    void directoriesAndPipesAreRefusedWithoutBlocking();
    void absurdDeclaredSizeIsRefusedBeforeAllocating();
    void memoryBudgetTakesCameraPhotosAndRefusesLarger();
    void photographOnASlotDecodesAtOneEighth();
    void everyColourModelComesOutAsRgb_data();
    void everyColourModelComesOutAsRgb();
    void endlessProgressiveScansAreRefused();
    void progressiveAtOneEighthNeedsOnlyItsDcScans();
};

void JpegLoaderTest::decodesTheShippedPictures()
{
    for (const char *name : {"circleNew.jpg", "parNew.jpg", "prNew.jpg", "uslNew.jpg", "fon.jpg"}) {
        const LoadedPicture picture = JpegLoader::load(shipped + name);
        QVERIFY2(picture.ok(), qPrintable(picture.error));
        QVERIFY(!picture.image.isNull());
    }
    const LoadedPicture blank = JpegLoader::load(shipped + "fon.jpg");
    QCOMPARE(blank.image.size(), QSize(100, 50));
    const QColor centre = blank.image.pixelColor(50, 25);
    QVERIFY(centre.red() < 16 && centre.green() > 240 && centre.blue() > 240);
}

void JpegLoaderTest::scalesInTheDctToCoverTheTarget()
{
    QCOMPARE(JpegLoader::scaleDenominator(QSize(4000, 3000), QSize(177, 57)), 8);
    QCOMPARE(JpegLoader::scaleDenominator(QSize(400, 300), QSize(177, 57)), 2);
    QCOMPARE(JpegLoader::scaleDenominator(QSize(177, 57), QSize(177, 57)), 1);
    QCOMPARE(JpegLoader::scaleDenominator(QSize(100, 50), QSize(177, 57)), 1);
    QCOMPARE(JpegLoader::scaleDenominator(QSize(4000, 3000), QSize()), 1);
    // the decoded picture still covers the target
    const LoadedPicture picture = JpegLoader::load(shipped + "circleNew.jpg", QSize(40, 20));
    QVERIFY(picture.ok());
    QVERIFY(picture.image.width() >= 40 && picture.image.height() >= 20);
    QVERIFY(picture.image.width() < 177);
}

void JpegLoaderTest::badFilesGiveAClearError_data()
{
    const QByteArray good = readAll(shipped + "circleNew.jpg");
    QVERIFY(good.size() > 1000);
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("what");
    const QString damaged = QStringLiteral("повреждён");
    const QString notJpeg = QStringLiteral("не является рисунком JPEG");
    QTest::newRow("zero bytes") << QByteArray() << QStringLiteral("пустой");
    QTest::newRow("truncated header") << good.left(40) << damaged;
    QTest::newRow("truncated data") << good.left(good.size() / 2) << damaged;
    QByteArray corrupt = good;
    for (int i = good.size() / 3; i < good.size() - 2; i += 7)
        corrupt[i] = char(0xFF);
    QTest::newRow("corrupt data") << corrupt << damaged;
    QTest::newRow("not a jpeg") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << notJpeg;
    QTest::newRow("text") << QByteArray("Cannot open file") << notJpeg;
    QTest::newRow("zero width") << withDeclaredSize(good, 0, 57) << damaged;
}

void JpegLoaderTest::badFilesGiveAClearError()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, what);
    QTemporaryDir dir;
    const QString path = write(dir, "bad.jpg", bytes);
    const LoadedPicture picture = JpegLoader::load(path);
    QVERIFY(!picture.ok());
    QVERIFY(picture.image.isNull());
    // the pupil's own words, never libjpeg's English
    QVERIFY2(picture.error.startsWith("Файл " + path) && picture.error.contains(what), qPrintable(picture.error));
}

void JpegLoaderTest::missingFileSaysCannotOpen()
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const LoadedPicture picture = JpegLoader::load("uslNew.jpg");
    QDir::setCurrent(previous);
    QCOMPARE(picture.error, QStringLiteral("Cannot open file uslNew.jpg"));
}

void JpegLoaderTest::directoriesAndPipesAreRefusedWithoutBlocking()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("prNew.jpg"));
    QCOMPARE(JpegLoader::load(dir.filePath("prNew.jpg")).error, "Cannot open file " + dir.filePath("prNew.jpg"));
    const QString fifo = dir.filePath("parNew.jpg");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QCOMPARE(JpegLoader::load(fifo).error, "Cannot open file " + fifo);
}

void JpegLoaderTest::absurdDeclaredSizeIsRefusedBeforeAllocating()
{
    const QByteArray good = readAll(shipped + "circleNew.jpg");
    for (const int side : {60000, 65500}) {
        for (const QSize target : {QSize(), QSize(177, 57)}) {
            const LoadedPicture picture = JpegLoader::decode(withDeclaredSize(good, side, side), "huge.jpg", target);
            QVERIFY(!picture.ok());
            QVERIFY2(picture.error.contains("huge.jpg") && picture.error.contains("слишком большой"),
                     qPrintable(picture.error));
        }
    }
}

// One picture may take maxDecodeBytes to decode. A progressive file keeps
// every coefficient of the picture until its last scan, 4:4:4 twice as many
// as 4:2:0, so the budget is reached by the pixel count alone: a header is
// enough to refuse a file, and the sizes near the edge must really load.
void JpegLoaderTest::memoryBudgetTakesCameraPhotosAndRefusesLarger()
{
    const QSize slot(177, 57);
    QImage flat(6000, 4000, QImage::Format_RGB32);
    flat.fill(QColor(90, 160, 220));
    JpegWriter::Options progressive;
    progressive.progressive = true;
    // a 24-megapixel camera photograph, 4:2:0 (about 73 MB for a progressive one)
    for (const JpegWriter::Options &options : {JpegWriter::Options(), progressive}) {
        const LoadedPicture camera = JpegLoader::decode(JpegWriter::encode(flat, options), "camera.jpg", slot);
        QVERIFY2(camera.ok(), qPrintable(camera.error));
        QCOMPARE(camera.image.size(), QSize(750, 500));
    }
    // 4000 x 4000 progressive 4:4:4 needs about 98 % of the budget
    JpegWriter::Options fullColour = progressive;
    fullColour.fullColour = true;
    const QByteArray square = JpegWriter::encode(flat.copy(0, 0, 4000, 4000), fullColour);
    const LoadedPicture underBudget = JpegLoader::decode(square, "square.jpg", slot);
    QVERIFY2(underBudget.ok(), qPrintable(underBudget.error));
    QCOMPARE(underBudget.image.size(), QSize(500, 500));

    for (const int side : {4096, 6500, 7000}) {
        const LoadedPicture over = JpegLoader::decode(withDeclaredSize(square, side, side), "square.jpg", slot);
        QVERIFY(over.image.isNull());
        QVERIFY2(over.error.startsWith(QStringLiteral("Файл square.jpg слишком большой"))
                     && over.error.contains(QStringLiteral("%1 × %1 точек").arg(side)),
                 qPrintable(over.error));
    }
    // A sequential file needs no coefficients, but its whole picture when
    // shown at its own size.
    const QByteArray small = JpegWriter::encode(JpegWriter::photograph(64, 48));
    const LoadedPicture natural = JpegLoader::decode(withDeclaredSize(small, 6000, 5000), "big.jpg");
    QVERIFY2(natural.error.startsWith(QStringLiteral("Файл big.jpg слишком большой")), qPrintable(natural.error));
}

// A 12-megapixel photograph saved as prNew.jpg and dropped on a 177 x 57
// slot is decoded at 1/8 of its size, not in full and shrunk afterwards.
void JpegLoaderTest::photographOnASlotDecodesAtOneEighth()
{
    QTemporaryDir dir;
    const QString path = write(dir, "prNew.jpg", JpegWriter::encode(JpegWriter::photograph(4000, 3000)));
    const LoadedPicture picture = JpegLoader::load(path, QSize(177, 57));
    QVERIFY2(picture.ok(), qPrintable(picture.error));
    QCOMPARE(picture.image.size(), QSize(500, 375));
    // the big disc left of centre keeps its colour through the scaling
    const QColor disc = picture.image.pixelColor(500 / 3, 375 / 2);
    QVERIFY2(qAbs(disc.red() - 200) < 24 && qAbs(disc.blue() - 60) < 24, qPrintable(disc.name()));
}

void JpegLoaderTest::everyColourModelComesOutAsRgb_data()
{
    QTest::addColumn<int>("colorSpace");
    QTest::addColumn<bool>("progressive");
    QTest::addColumn<QColor>("expected");
    const QColor orange(240, 140, 30);
    const int grey = (240 * 299 + 140 * 587 + 30 * 114) / 1000;
    QTest::newRow("rgb") << int(JCS_RGB) << false << orange;
    QTest::newRow("rgb progressive") << int(JCS_RGB) << true << orange;
    QTest::newRow("grayscale") << int(JCS_GRAYSCALE) << false << QColor(grey, grey, grey);
    QTest::newRow("cmyk") << int(JCS_CMYK) << false << orange;
}

void JpegLoaderTest::everyColourModelComesOutAsRgb()
{
    QFETCH(int, colorSpace);
    QFETCH(bool, progressive);
    QFETCH(QColor, expected);
    QImage image(64, 32, QImage::Format_RGB32);
    image.fill(expected.rgb());
    JpegWriter::Options options;
    options.colorSpace = J_COLOR_SPACE(colorSpace);
    options.progressive = progressive;
    for (const QSize target : {QSize(), QSize(16, 8)}) {
        const LoadedPicture picture = JpegLoader::decode(JpegWriter::encode(image, options), "x.jpg", target);
        QVERIFY2(picture.ok(), qPrintable(picture.error));
        QCOMPARE(picture.image.format(), QImage::Format_RGB32);
        const QColor seen = picture.image.pixelColor(picture.image.width() / 2, picture.image.height() / 2);
        QVERIFY2(qAbs(seen.red() - expected.red()) < 8 && qAbs(seen.green() - expected.green()) < 8
                     && qAbs(seen.blue() - expected.blue()) < 8,
                 qPrintable(seen.name() + " instead of " + expected.name()));
    }
}

// Each scan of a progressive file makes the decoder walk the whole picture
// again; a file made of hundreds of them is refused, a usual one is not.
void JpegLoaderTest::endlessProgressiveScansAreRefused()
{
    JpegWriter::Options options;
    options.progressive = true;
    options.scans.push_back({3, {0, 1, 2, 0}, 0, 0, 0, 0}); // DC of all three planes
    for (int component = 0; component < 3; ++component)
        for (int k = 1; k < 64; ++k) // then every AC coefficient in a scan of its own
            options.scans.push_back({1, {component, 0, 0, 0}, k, k, 0, 0});
    const QImage photo = JpegWriter::photograph(64, 48);
    const LoadedPicture many = JpegLoader::decode(JpegWriter::encode(photo, options), "many.jpg");
    QVERIFY(!many.ok());
    QVERIFY2(many.error.contains("many.jpg") && many.error.contains("слишком много частей"), qPrintable(many.error));

    options.scans.clear();
    const LoadedPicture usual = JpegLoader::decode(JpegWriter::encode(photo, options), "usual.jpg");
    QVERIFY2(usual.ok(), qPrintable(usual.error));
}

// At 1/8 scale a progressive picture is decoded from its DC scans alone; the
// result must be the very picture the same coefficients give when sent in
// sequence, and damage in the DC scans must still be found.
void JpegLoaderTest::progressiveAtOneEighthNeedsOnlyItsDcScans()
{
    const QImage photo = JpegWriter::photograph(400, 240);
    JpegWriter::Options progressive;
    progressive.progressive = true;
    const QByteArray sequential = JpegWriter::encode(photo);
    const QByteArray scans = JpegWriter::encode(photo, progressive);
    for (const QSize target : {QSize(50, 30), QSize(20, 6), QSize(177, 57)}) {
        const LoadedPicture expected = JpegLoader::decode(sequential, "seq.jpg", target);
        const LoadedPicture picture = JpegLoader::decode(scans, "prog.jpg", target);
        QVERIFY2(picture.ok() && expected.ok(), qPrintable(picture.error + expected.error));
        QCOMPARE(picture.image.size(), expected.image.size());
        QVERIFY(picture.image == expected.image);
    }
    // cut inside the first (DC) scan: still an error at every scale
    const int firstScan = int(scans.indexOf("\xFF\xDA"));
    QVERIFY(firstScan > 0);
    for (const QSize target : {QSize(), QSize(20, 6)})
        QVERIFY(!JpegLoader::decode(scans.left(firstScan + 200), "cut.jpg", target).ok());

    // Without its DC scans the file holds no picture at all, at any scale.
    QByteArray noDc = scans;
    for (int at = int(noDc.indexOf("\xFF\xDA")); at >= 0; at = int(noDc.indexOf("\xFF\xDA", at + 2))) {
        const int spectralStart = at + 5 + 2 * static_cast<unsigned char>(noDc[at + 4]);
        if (noDc.at(spectralStart) != 0)
            continue;
        int end = at + 2; // the scan's data runs to the next marker
        while (!(static_cast<unsigned char>(noDc[end]) == 0xFF && noDc.at(end + 1) != 0
                 && (static_cast<unsigned char>(noDc[end + 1]) & 0xF8) != 0xD0))
            ++end;
        noDc.remove(at, end - at);
        at -= 2;
    }
    QVERIFY(noDc.size() < scans.size());
    for (const QSize target : {QSize(), QSize(20, 6)})
        QVERIFY(!JpegLoader::decode(noDc, "nodc.jpg", target).ok());
}

QTEST_GUILESS_MAIN(JpegLoaderTest)
#include "tst_jpegloader.moc"
