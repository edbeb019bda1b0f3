#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// Every picture of the program goes through here: the ones built into the
// forms (":/..." resources) and the files read from the working directory.
// A bad file never crashes or hangs the program: it gives an error text that
// names the file ("Cannot open file <name>" for one that cannot be opened;
// in Russian, in plain words, for every other refusal).
struct LoadedPicture
{
    QImage image;
    QString error; // empty when image is valid

    bool ok() const { return error.isEmpty(); }
};

namespace JpegLoader {

// Limits that keep a hostile or merely huge file from exhausting memory or
// time. One picture costs at most its file's bytes (maxFileBytes) plus what
// decoding it allocates (maxDecodeBytes): libjpeg's buffers, the decoded
// picture and, for a progressive file shown small, the copy of the scans it
// uses. A file that would need more is refused from its header, before
// anything is allocated. A 24-megapixel progressive 4:2:0 photograph needs
// about 73 MB.
constexpr qint64 megabyte = 1024 * 1024;
constexpr qint64 maxFileBytes = 32 * megabyte;
constexpr qint64 maxDecodeBytes = 96 * megabyte;
constexpr qint64 maxDeclaredPixels = 100'000'000; // e.g. 10000 x 10000
// Real progressive files have about ten scans; every scan makes the decoder
// walk the whole picture again, so a file with thousands would stall a drop.
constexpr int maxScans = 100;

// Reads and decodes the file `name` (relative names resolve against the
// current working directory). When `target` is valid the picture is decoded
// with libjpeg's DCT scaling to the smallest size that still covers it.
LoadedPicture load(const QString &name, QSize target = QSize());

// Decodes JPEG bytes already in memory; `name` is only used in messages.
LoadedPicture decode(const QByteArray &bytes, const QString &name, QSize target = QSize());

// The scale denominator (1, 2, 4 or 8) libjpeg should use so that a picture
// of `source` size still covers `target`.
int scaleDenominator(QSize source, QSize target);

} // namespace JpegLoader
