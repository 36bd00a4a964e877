#include "widgets/ImageCodecs.h"

#include "widgets/TiError.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>
#include <png.h>

namespace {

// libjpeg reports fatal errors through error_exit, which must not return:
// jump back to the caller's setjmp and report there.
struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void jpegErrorExit(j_common_ptr info)
{
    auto* err = reinterpret_cast<JpegError*>(info->err);
    (*info->err->format_message)(info, err->message);
    std::longjmp(err->jump, 1);
}

void jpegSilent(j_common_ptr, int) {}

// Rows of 8-bit R, G, B for the encoders.
std::vector<unsigned char> rgbRows(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const auto rowBytes = static_cast<std::size_t>(rgb.width()) * 3;
    std::vector<unsigned char> rows(rowBytes * static_cast<std::size_t>(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y)
        std::copy_n(rgb.constScanLine(y), rowBytes, rows.data() + rowBytes * static_cast<std::size_t>(y));
    return rows;
}

// The part of the JPEG encoder that holds no C++ objects, so a longjmp out
// of libjpeg skips no destructor.
bool jpegCompress(unsigned char* rows, int width, int height, int quality, bool progressive, bool fastest,
                  unsigned char** out, unsigned long* outSize, char* message)
{
    jpeg_compress_struct info;
    JpegError err;
    info.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = jpegErrorExit;
    if (setjmp(err.jump)) {
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.message);
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, out, outSize);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.dct_method = fastest ? JDCT_IFAST : JDCT_ISLOW;
    info.optimize_coding = fastest ? FALSE : TRUE;
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    const auto stride = static_cast<std::size_t>(width) * 3;
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = rows + stride * info.next_scanline;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

bool jpegDecompress(const unsigned char* data, unsigned long size, std::vector<unsigned char>& pixels, int& width,
                    int& height)
{
    jpeg_decompress_struct info;
    JpegError err;
    info.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = jpegErrorExit;
    err.mgr.emit_message = jpegSilent;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    width = static_cast<int>(info.output_width);
    height = static_cast<int>(info.output_height);
    const auto stride = static_cast<std::size_t>(width) * 3;
    // Sized before any row is read: resizing later could throw across libjpeg.
    pixels.resize(stride * static_cast<std::size_t>(height));
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels.data() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

struct PngSink {
    unsigned char* data = nullptr;
    std::size_t size = 0;
    std::size_t capacity = 0;
};

void pngWrite(png_structp png, png_bytep bytes, png_size_t length)
{
    auto* sink = static_cast<PngSink*>(png_get_io_ptr(png));
    if (sink->size + length > sink->capacity) {
        std::size_t capacity = sink->capacity ? sink->capacity : 4096;
        while (capacity < sink->size + length)
            capacity *= 2;
        auto* grown = static_cast<unsigned char*>(std::realloc(sink->data, capacity));
        if (!grown)
            png_error(png, "out of memory");
        sink->data = grown;
        sink->capacity = capacity;
    }
    std::copy_n(bytes, length, sink->data + sink->size);
    sink->size += length;
}

void pngFlush(png_structp) {}

bool pngCompress(unsigned char* rows, int width, int height, int level, PngSink* sink)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_set_write_fn(png, sink, pngWrite, pngFlush);
    png_set_compression_level(png, level);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const auto stride = static_cast<std::size_t>(width) * 3;
    for (int y = 0; y < height; ++y)
        png_write_row(png, rows + stride * static_cast<std::size_t>(y));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

void putLe(QByteArray& out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xFFu));
}

} // namespace

QByteArray EncodeJpeg(const QImage& image, int quality, bool progressive, bool fastest)
{
    if (quality < 1 || quality > 100)
        throw TiError(QStringLiteral("Compression must be in the range of 1-100"));
    if (image.isNull())
        throw TiError(QStringLiteral("Empty image"));
    std::vector<unsigned char> rows = rgbRows(image);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    char message[JMSG_LENGTH_MAX] = {};
    const bool ok = jpegCompress(rows.data(), image.width(), image.height(), quality, progressive, fastest, &out, &outSize, message);
    QByteArray bytes;
    if (ok)
        bytes = QByteArray(reinterpret_cast<const char*>(out), static_cast<qsizetype>(outSize));
    std::free(out);
    if (!ok)
        throw TiError(QStringLiteral("JPEG error: %1").arg(QString::fromLocal8Bit(message)));
    return bytes;
}

QByteArray EncodePng(const QImage& image, int level)
{
    if (level < 0 || level > 9)
        throw TiError(QStringLiteral("Compression must be in the range of 0-9"));
    if (image.isNull())
        throw TiError(QStringLiteral("Empty image"));
    std::vector<unsigned char> rows = rgbRows(image);
    PngSink sink;
    const bool ok = pngCompress(rows.data(), image.width(), image.height(), level, &sink);
    QByteArray bytes;
    if (ok)
        bytes = QByteArray(reinterpret_cast<const char*>(sink.data), static_cast<qsizetype>(sink.size));
    std::free(sink.data);
    if (!ok)
        throw TiError(QStringLiteral("PNG error"));
    return bytes;
}

QByteArray EncodeBmp(const QImage& image)
{
    if (image.isNull())
        throw TiError(QStringLiteral("Empty image"));
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const int width = rgb.width();
    const int height = rgb.height();
    const quint32 stride = (static_cast<quint32>(width) * 3 + 3) & ~3u;
    const quint32 dataSize = stride * static_cast<quint32>(height);
    QByteArray out;
    out.reserve(static_cast<qsizetype>(54 + dataSize));
    out.append("BM");
    putLe(out, 54 + dataSize, 4);
    putLe(out, 0, 4);
    putLe(out, 54, 4);
    putLe(out, 40, 4);
    putLe(out, static_cast<quint32>(width), 4);
    putLe(out, static_cast<quint32>(height), 4);
    putLe(out, 1, 2);
    putLe(out, 24, 2);
    putLe(out, 0, 4);
    putLe(out, dataSize, 4);
    putLe(out, 3780, 4);
    putLe(out, 3780, 4);
    putLe(out, 0, 4);
    putLe(out, 0, 4);
    // Rows bottom-up, pixels blue-green-red, padded to four bytes.
    for (int y = height - 1; y >= 0; --y) {
        const uchar* line = rgb.constScanLine(y);
        quint32 written = 0;
        for (int x = 0; x < width; ++x) {
            out.append(static_cast<char>(line[3 * x + 2]));
            out.append(static_cast<char>(line[3 * x + 1]));
            out.append(static_cast<char>(line[3 * x]));
            written += 3;
        }
        for (; written < stride; ++written)
            out.append('\0');
    }
    return out;
}

QImage DecodeJpeg(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return QImage();
    std::vector<unsigned char> pixels;
    int width = 0;
    int height = 0;
    if (!jpegDecompress(reinterpret_cast<const unsigned char*>(bytes.constData()), static_cast<unsigned long>(bytes.size()),
                        pixels, width, height)
        || width <= 0 || height <= 0)
        return QImage();
    QImage image(width, height, QImage::Format_RGB888);
    const auto stride = static_cast<std::size_t>(width) * 3;
    for (int y = 0; y < height; ++y)
        std::copy_n(pixels.data() + stride * static_cast<std::size_t>(y), stride, image.scanLine(y));
    return image.convertToFormat(QImage::Format_RGB32);
}
