// The picture loader against good and bad files.

#include "JpegLoader.h"

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
};

void JpegLoaderTest::decodesTheShippedPictures()
{
    for (const QString &name : {"circleNew.jpg", "parNew.jpg", "prNew.jpg", "uslNew.jpg", "fon.jpg"}) {
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
    QTest::newRow("zero bytes") << QByteArray();
    QTest::newRow("truncated header") << good.left(40);
    QTest::newRow("truncated data") << good.left(good.size() / 2);
    QByteArray corrupt = good;
    for (int i = good.size() / 3; i < good.size() - 2; i += 7)
        corrupt[i] = char(0xFF);
    QTest::newRow("corrupt data") << corrupt;
    QTest::newRow("not a jpeg") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    QTest::newRow("text") << QByteArray("Cannot open file");
    QTest::newRow("zero width") << withDeclaredSize(good, 0, 57);
}

void JpegLoaderTest::badFilesGiveAClearError()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = write(dir, "bad.jpg", bytes);
    const LoadedPicture picture = JpegLoader::load(path);
    QVERIFY(!picture.ok());
    QVERIFY(picture.image.isNull());
    QVERIFY2(picture.error.contains(path), qPrintable(picture.error));
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
        const LoadedPicture picture = JpegLoader::decode(withDeclaredSize(good, side, side), "huge.jpg");
        QVERIFY(!picture.ok());
        QVERIFY2(picture.error.contains("huge.jpg") && picture.error.contains("too large"), qPrintable(picture.error));
    }
}

QTEST_GUILESS_MAIN(JpegLoaderTest)
#include "tst_jpegloader.moc"
