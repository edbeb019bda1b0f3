#pragma once

// Writes JPEG files for the loader's tests and benchmark with libjpeg itself,
// so that they can hold what Qt's writer never produces: CMYK, a scan script
// of our own, any size.

#include <QByteArray>
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <vector>
#include <jpeglib.h>

namespace JpegWriter {

struct Options
{
    int quality = 90;
    bool progressive = false;
    J_COLOR_SPACE colorSpace = JCS_RGB; // JCS_RGB, JCS_GRAYSCALE or JCS_CMYK
    bool fullColour = false;            // 4:4:4 instead of libjpeg's 4:2:0 for RGB
    std::vector<jpeg_scan_info> scans;  // own scan script when not empty
};

// Encodes `image` (any format; converted to RGB888) into JPEG bytes.
inline QByteArray encode(const QImage &image, const Options &options = Options())
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err); // a test picture that cannot be written ends the run
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(rgb.width());
    cinfo.image_height = JDIMENSION(rgb.height());
    cinfo.input_components = options.colorSpace == JCS_GRAYSCALE ? 1 : options.colorSpace == JCS_CMYK ? 4 : 3;
    cinfo.in_color_space = options.colorSpace;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    if (options.fullColour) {
        cinfo.comp_info[0].h_samp_factor = 1;
        cinfo.comp_info[0].v_samp_factor = 1;
    }
    if (options.progressive)
        jpeg_simple_progression(&cinfo);
    if (!options.scans.empty()) {
        cinfo.scan_info = options.scans.data();
        cinfo.num_scans = int(options.scans.size());
    }
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(std::size_t(rgb.width()) * 4);
    while (cinfo.next_scanline < cinfo.image_height) {
        const uchar *in = rgb.constScanLine(int(cinfo.next_scanline));
        for (int x = 0; x < rgb.width(); ++x) {
            const uchar r = in[3 * x], g = in[3 * x + 1], b = in[3 * x + 2];
            if (options.colorSpace == JCS_GRAYSCALE) {
                row[std::size_t(x)] = uchar((r * 299 + g * 587 + b * 114) / 1000);
            } else if (options.colorSpace == JCS_CMYK) {
                // inverted inks as Adobe writes them, no black: C = 255 - R
                // is stored as R, and K = 0 as 255
                row[4 * std::size_t(x)] = r;
                row[4 * std::size_t(x) + 1] = g;
                row[4 * std::size_t(x) + 2] = b;
                row[4 * std::size_t(x) + 3] = 255;
            } else {
                row[3 * std::size_t(x)] = r;
                row[3 * std::size_t(x) + 1] = g;
                row[3 * std::size_t(x) + 2] = b;
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    const QByteArray bytes(reinterpret_cast<const char *>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

// A photograph-like picture: a sky-to-ground gradient, soft discs of colour
// and fine grain, so that the encoder has real detail to keep.
inline QImage photograph(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    unsigned seed = 12345;
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            seed = seed * 1103515245u + 12345u;
            const int grain = int((seed >> 16) & 31) - 16;
            const int dx = x - width / 3, dy = y - height / 2;
            const bool disc = dx * dx + dy * dy < (height / 4) * (height / 4);
            const int r = (disc ? 200 : 90 + 100 * y / height) + grain;
            const int g = (disc ? 120 : 140 - 40 * y / height) + ((x / 37 + y / 29) % 2) * 20 + grain;
            const int b = (disc ? 60 : 220 - 150 * y / height) + grain;
            line[x] = qRgb(qBound(0, r, 255), qBound(0, g, 255), qBound(0, b, 255));
        }
    }
    return image;
}

} // namespace JpegWriter
