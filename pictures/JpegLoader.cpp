#include "JpegLoader.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRgb>

#include <array>
#include <csetjmp>
#include <cstring>
#include <memory>
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>

namespace {

// What the pupil is told, through Qt's translation functions.
class Texts
{
    Q_DECLARE_TR_FUNCTIONS(JpegLoader)
};

// Our own code for a refusal that libjpeg does not know of.
constexpr int tooManyScansCode = -1;

struct ErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf escape;
    int code; // libjpeg's message code, or tooManyScansCode
    char message[JMSG_LENGTH_MAX]; // libjpeg's English text, for standard error
};

[[noreturn]] void onError(j_common_ptr cinfo)
{
    auto *err = reinterpret_cast<ErrorManager *>(cinfo->err);
    err->code = cinfo->err->msg_code;
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->escape, 1);
}

// A corrupt-data warning (truncation, bad Huffman code...) means the picture
// on screen would be garbage, so it is treated as an error.
void onMessage(j_common_ptr cinfo, int level)
{
    if (level < 0)
        onError(cinfo);
}

// Caps the number of scans a progressive file may make us decode.
void onProgress(j_common_ptr cinfo)
{
    if (cinfo->is_decompressor) {
        auto *d = reinterpret_cast<j_decompress_ptr>(cinfo);
        if (d->input_scan_number > JpegLoader::maxScans) {
            auto *err = reinterpret_cast<ErrorManager *>(cinfo->err);
            err->code = tooManyScansCode;
            std::snprintf(err->message, sizeof err->message, "more than %d scans", JpegLoader::maxScans);
            std::longjmp(err->escape, 1);
        }
    }
}

// Everything that must survive a longjmp lives in plain C structures;
// nothing between setjmp and longjmp owns a C++ object with a destructor.
struct DecodeState
{
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    jpeg_progress_mgr progress;
    unsigned char *pixels = nullptr; // into the QImage allocated below
    int stride = 0;
    int width = 0;
    int height = 0;
    int denominator = 1;
    bool tooManyPixels = false; // declared in the header, before any scaling
    qint64 decodeBytes = 0; // what decoding will allocate, known from the header
    bool cmyk = false; // rows arrive as C, M, Y, K bytes and are turned into RGB in place
    bool scansCut = false; // the stream lacks the AC scans that this scale does not use
    // The components (by id) whose AC coefficients this scale still uses:
    // libjpeg decodes subsampled colour planes at 2 x 2 rather than enlarge them.
    std::array<bool, 256> needsAc{};
};

qint64 roundUp(qint64 value, qint64 multiple)
{
    return (value + multiple - 1) / multiple * multiple;
}

// What decoding will allocate, known from the header before libjpeg
// allocates anything. A file of more than one scan (progressive, or one
// colour plane per scan) keeps every coefficient of the picture until its
// last scan, 128 bytes per 8 x 8 block of each plane, whatever the scale;
// the decoded picture takes 4 bytes a pixel; libjpeg's row buffers take a
// few rows of the output and some fixed tables.
qint64 decodeBytesNeeded(const jpeg_decompress_struct &cinfo)
{
    qint64 bytes = qint64(cinfo.output_width) * cinfo.output_height * 4;
    bytes += qint64(cinfo.output_width) * cinfo.num_components * 64 + 1024 * 1024;
    if (cinfo.progressive_mode || cinfo.comps_in_scan < cinfo.num_components) {
        for (int c = 0; c < cinfo.num_components; ++c) {
            const jpeg_component_info &component = cinfo.comp_info[c];
            bytes += roundUp(component.width_in_blocks, component.h_samp_factor)
                     * roundUp(component.height_in_blocks, component.v_samp_factor) * qint64(sizeof(JBLOCK));
        }
    }
    return bytes;
}

// Returns false on a libjpeg error; err.code and err.message then say which.
bool readHeader(DecodeState &s, const QByteArray &bytes, QSize target)
{
    jpeg_decompress_struct &cinfo = s.cinfo;
    cinfo.err = jpeg_std_error(&s.err.base);
    s.err.base.error_exit = onError;
    s.err.base.emit_message = onMessage;
    s.err.message[0] = '\0';
    s.err.code = 0;
    if (setjmp(s.err.escape))
        return false;
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = long(JpegLoader::maxDecodeBytes);
    s.progress.progress_monitor = onProgress;
    cinfo.progress = &s.progress;
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    if (qint64(cinfo.image_width) * cinfo.image_height > JpegLoader::maxDeclaredPixels) {
        s.tooManyPixels = true;
        return true;
    }
    s.denominator = JpegLoader::scaleDenominator(QSize(int(cinfo.image_width), int(cinfo.image_height)), target);
    cinfo.scale_num = 1;
    cinfo.scale_denom = static_cast<unsigned>(s.denominator);
    // CMYK and YCCK pictures (print-ready files) come out as CMYK, four bytes
    // a pixel like RGB32, and are converted row by row; the rest land
    // directly in QImage::Format_RGB32.
    s.cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = s.cmyk ? JCS_CMYK : JCS_EXT_BGRX;
    // A picture decoded for a control is resampled to the control's size when
    // drawn, which hides the fast transform's rounding; one shown at its own
    // size gets the exact one.
    const bool resampled = target.isValid() && !target.isEmpty();
    cinfo.dct_method = resampled ? JDCT_IFAST : JDCT_ISLOW;
    // A scaled-down picture is drawn shrunk further still; smoothing the
    // colour planes on the way would be invisible and costs time.
    if (s.denominator > 1)
        cinfo.do_fancy_upsampling = FALSE;
    // Without the AC scans libjpeg would guess the missing coefficients from
    // the neighbours; they are not used at this scale, so do not guess.
    if (s.scansCut)
        cinfo.do_block_smoothing = FALSE;
    jpeg_calc_output_dimensions(&cinfo);
    for (int c = 0; c < cinfo.num_components; ++c)
        s.needsAc[cinfo.comp_info[c].component_id] = cinfo.comp_info[c].DCT_scaled_size > 1;
    s.width = int(cinfo.output_width);
    s.height = int(cinfo.output_height);
    s.decodeBytes = decodeBytesNeeded(cinfo);
    return true;
}

// Markers that start no segment: stuffing, TEM, restarts and start of image.
bool startsNoSegment(unsigned char marker)
{
    return marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8);
}

// A frame header (SOFn, not DHT, JPG or DAC) says how the picture is coded.
bool isFrameHeader(unsigned char marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Where a scan's coded data ends: at the next marker, a 0xFF not followed by
// a stuffed zero or a restart marker. -1 when the file ends first.
qsizetype endOfCodedData(const unsigned char *b, qsizetype n, qsizetype from)
{
    qsizetype end = from;
    for (;;) {
        const void *ff = std::memchr(b + end, 0xFF, std::size_t(n - end));
        if (!ff)
            return -1;
        end = static_cast<const unsigned char *>(ff) - b;
        if (end + 1 >= n)
            return -1;
        const unsigned char next = b[end + 1];
        if (next != 0x00 && !(next >= 0xD0 && next <= 0xD7))
            return end;
        end += 2;
    }
}

// What a scan header (its bytes from just after the marker, `length` long)
// says: whether it carries DC coefficients, and whether this scale uses it.
struct ScanHeader
{
    bool valid = false;
    bool dc = false;
    bool used = false;
};

ScanHeader readScanHeader(const unsigned char *header, qsizetype length, const std::array<bool, 256> &needsAc)
{
    // The component count and ids, then Ss: 0 for a DC scan.
    ScanHeader scan;
    if (length < 3)
        return scan;
    const qsizetype spectralStart = 3 + 2 * qsizetype(header[2]);
    if (spectralStart >= length)
        return scan;
    scan.valid = true;
    scan.dc = header[spectralStart] == 0;
    scan.used = scan.dc;
    for (qsizetype c = 3; c < spectralStart; c += 2)
        scan.used = scan.used || needsAc[header[c]];
    return scan;
}

// At 1/8 scale every 8 x 8 block of a full-resolution plane becomes one
// pixel, which only its DC coefficient decides. A progressive file sends the
// DC coefficients in scans of their own and the AC coefficients of one plane
// per scan, so the unused AC scans - most of the file - can be cut out by
// looking for markers, which is far cheaper than decoding them.
// Returns the file without those scans, or nothing if it is not a
// progressive JPEG whose markers can be followed to the end.
QByteArray withoutUnusedScans(const QByteArray &jpeg, const std::array<bool, 256> &needsAc)
{
    const auto *b = reinterpret_cast<const unsigned char *>(jpeg.constData());
    const qsizetype n = jpeg.size();
    if (n < 4 || b[0] != 0xFF || b[1] != 0xD8)
        return {};
    QByteArray out;
    out.reserve(n / 4);
    out.append(jpeg.constData(), 2);
    bool progressive = false;
    bool dcSent = false; // a file with no DC scan is left to libjpeg to refuse
    qsizetype pos = 2;
    for (;;) {
        if (pos >= n || b[pos] != 0xFF)
            return {};
        while (pos < n && b[pos] == 0xFF) // fill bytes before a marker
            ++pos;
        if (pos >= n)
            return {};
        const unsigned char marker = b[pos++];
        if (marker == 0xD9) { // end of image
            if (!progressive || !dcSent)
                return {};
            out.append("\xFF\xD9", 2);
            return out;
        }
        if (startsNoSegment(marker) || pos + 2 > n)
            return {};
        const qsizetype length = (qsizetype(b[pos]) << 8) | b[pos + 1];
        if (length < 2 || pos + length > n)
            return {};
        if (isFrameHeader(marker))
            progressive = marker == 0xC2 || marker == 0xCA;
        if (marker != 0xDA) {
            out.append(char(0xFF)).append(char(marker)).append(jpeg.constData() + pos, length);
            pos += length;
            continue;
        }
        const ScanHeader scan = readScanHeader(b + pos, length, needsAc);
        if (!progressive || !scan.valid)
            return {};
        dcSent = dcSent || scan.dc;
        const qsizetype end = endOfCodedData(b, n, pos + length);
        if (end < 0)
            return {};
        if (scan.used)
            out.append("\xFF\xDA", 2).append(jpeg.constData() + pos, end - pos);
        pos = end;
    }
}

// Converts one row of CMYK pixels into QImage::Format_RGB32 in place. CMYK
// JPEGs store the inks inverted, as Adobe's encoder wrote them first (0 is
// full ink), so the stored values are the light left by each ink.
void cmykToRgb32(unsigned char *row, int width)
{
    auto *out = reinterpret_cast<QRgb *>(row);
    for (int x = 0; x < width; ++x) {
        const unsigned char *p = row + 4 * x;
        const int c = p[0], m = p[1], y = p[2], k = p[3];
        out[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
    }
}

bool readPixels(DecodeState &s)
{
    jpeg_decompress_struct &cinfo = s.cinfo;
    if (setjmp(s.err.escape))
        return false;
    jpeg_start_decompress(&cinfo);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = s.pixels + std::size_t(cinfo.output_scanline) * std::size_t(s.stride);
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1)
            break; // cannot happen with a memory source, but never loop forever
        if (s.cmyk)
            cmykToRgb32(row, s.width);
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

} // namespace

namespace JpegLoader {

int scaleDenominator(QSize source, QSize target)
{
    if (!target.isValid() || target.isEmpty())
        return 1;
    int denominator = 1;
    while (denominator < 8) {
        const int next = denominator * 2;
        // libjpeg rounds the scaled size up
        const int w = (source.width() + next - 1) / next;
        const int h = (source.height() + next - 1) / next;
        if (w < target.width() || h < target.height())
            break;
        denominator = next;
    }
    return denominator;
}

namespace {

// libjpeg's own English text is for whoever reads standard error; the
// pupil is told in plain words what is wrong with the file.
QString unreadableText(const DecodeState &s, const QString &name)
{
    qWarning("%s: %s", qPrintable(name), s.err.message);
    if (s.err.code == JERR_NO_SOI)
        return Texts::tr("Файл %1 не является рисунком JPEG.").arg(name);
    if (s.err.code == tooManyScansCode)
        return Texts::tr("Файл %1 не загружается: рисунок в нём разбит на слишком много частей (больше %2).")
            .arg(name)
            .arg(maxScans);
    if (s.err.code == JERR_NO_BACKING_STORE || s.err.code == JERR_OUT_OF_MEMORY)
        return Texts::tr("Файл %1 слишком большой: рисунок в нём не помещается в %2 МБ памяти, "
                         "отведённые на один рисунок.")
            .arg(name)
            .arg(maxDecodeBytes / megabyte);
    return Texts::tr("Файл %1 повреждён: рисунок в нём прочитать нельзя.").arg(name);
}

QString tooManyPixelsText(const DecodeState &s, const QString &name)
{
    return Texts::tr("Файл %1 слишком большой: рисунок в нём %2 × %3 точек, а можно не больше "
                     "%4 миллионов точек.")
        .arg(name)
        .arg(s.cinfo.image_width)
        .arg(s.cinfo.image_height)
        .arg(maxDeclaredPixels / 1'000'000);
}

QString overBudgetText(const DecodeState &s, const QString &name, qint64 needed)
{
    return Texts::tr("Файл %1 слишком большой: чтобы показать рисунок %2 × %3 точек, нужно %4 МБ "
                     "памяти, а на один рисунок отведено не больше %5 МБ.")
        .arg(name)
        .arg(s.cinfo.image_width)
        .arg(s.cinfo.image_height)
        .arg((needed + megabyte - 1) / megabyte)
        .arg(maxDecodeBytes / megabyte);
}

// A progressive picture shown at 1/8 scale needs few of its scans: when the
// scans it does not use can be cut out, the header is read again from what
// is left, which `usedScans` then holds. Returns false on a libjpeg error.
bool cutUnusedScans(DecodeState &s, const QByteArray &bytes, QSize target, QByteArray &usedScans)
{
    if (s.denominator != 8 || !s.cinfo.progressive_mode)
        return true;
    usedScans = withoutUnusedScans(bytes, s.needsAc);
    if (usedScans.isEmpty())
        return true;
    jpeg_destroy_decompress(&s.cinfo);
    s = DecodeState();
    s.scansCut = true;
    return readHeader(s, usedScans, target);
}

} // namespace

LoadedPicture decode(const QByteArray &bytes, const QString &name, QSize target)
{
    LoadedPicture result;
    if (bytes.isEmpty()) {
        result.error = Texts::tr("Файл %1 пустой: в нём нет рисунка.").arg(name);
        return result;
    }
    auto state = std::make_unique<DecodeState>();
    DecodeState &s = *state;
    const auto refuse = [&](const QString &message) {
        jpeg_destroy_decompress(&s.cinfo);
        result.error = message;
        return result;
    };
    if (!readHeader(s, bytes, target))
        return refuse(unreadableText(s, name));
    if (s.tooManyPixels)
        return refuse(tooManyPixelsText(s, name));
    QByteArray usedScans;
    if (!cutUnusedScans(s, bytes, target, usedScans))
        return refuse(unreadableText(s, name));
    // The budget is checked before libjpeg allocates its buffers; libjpeg's
    // own cap, set to what is left of it, only backs that estimate up.
    const qint64 imageBytes = qint64(s.width) * s.height * 4;
    const qint64 needed = s.decodeBytes + usedScans.size();
    if (needed > maxDecodeBytes)
        return refuse(overBudgetText(s, name, needed));
    s.cinfo.mem->max_memory_to_use = long(maxDecodeBytes - imageBytes - usedScans.size());
    QImage image(s.width, s.height, QImage::Format_RGB32);
    if (image.isNull())
        return refuse(Texts::tr("Не хватает памяти, чтобы загрузить рисунок из файла %1.").arg(name));
    s.pixels = image.bits();
    s.stride = int(image.bytesPerLine());
    if (!readPixels(s))
        return refuse(unreadableText(s, name));
    jpeg_destroy_decompress(&s.cinfo);
    result.image = std::move(image);
    return result;
}

LoadedPicture load(const QString &name, QSize target)
{
    // Only regular files: opening a FIFO or a device could block forever.
    const QFileInfo info(name);
    QFile file(name);
    if ((!name.startsWith(QLatin1Char(':')) && !info.isFile()) || !file.open(QIODevice::ReadOnly)) {
        LoadedPicture result;
        result.error = Texts::tr("Cannot open file %1").arg(name);
        return result;
    }
    if (file.size() > maxFileBytes) {
        LoadedPicture result;
        result.error = Texts::tr("Файл %1 слишком большой: в нём %2 МБ, а можно не больше %3 МБ.")
                           .arg(name)
                           .arg((file.size() + megabyte - 1) / megabyte)
                           .arg(maxFileBytes / megabyte);
        return result;
    }
    // Exactly the bytes the file holds (read(max) would reserve the maximum
    // on every drop); a file that shrinks meanwhile gives what is left.
    QByteArray bytes(qsizetype(file.size()), Qt::Uninitialized);
    const qint64 got = file.read(bytes.data(), bytes.size());
    if (got < 0) {
        LoadedPicture result;
        result.error = Texts::tr("Cannot open file %1").arg(name);
        return result;
    }
    bytes.truncate(qsizetype(got));
    return decode(bytes, name, target);
}

} // namespace JpegLoader
