// The picture loader under libFuzzer: whatever the bytes, decode() must
// return either a picture or an error text naming the file, never crash,
// leak, hang or allocate without bound.

#include "JpegLoader.h"

#include <QByteArray>
#include <QtGlobal>
#include <QSize>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// The loader writes libjpeg's own text for every bad input to standard
// error; here that is noise.
[[maybe_unused]] static const QtMessageHandler quiet =
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    // The last byte (ignored by the decoder after the end-of-image marker)
    // picks the natural size, a board slot's size, or a size so small that
    // even the small pictures are decoded at 1/8 (from their DC scans alone
    // when progressive).
    const QSize targets[] = {QSize(), QSize(177, 57), QSize(20, 6), QSize(177, 57)};
    const QSize target = size > 0 ? targets[data[size - 1] & 3] : QSize();
    const QString name = QStringLiteral("prNew.jpg");
    const LoadedPicture picture = JpegLoader::decode(bytes, name, target);
    if (picture.ok() == picture.image.isNull())
        std::abort(); // a picture without success or an error with a picture
    if (!picture.ok() && !picture.error.contains(name))
        std::abort();
    if (picture.ok() && picture.image.sizeInBytes() > JpegLoader::maxDecodeBytes)
        std::abort();
    return 0;
}
