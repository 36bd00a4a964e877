#pragma once

#include <QByteArray>
#include <QImage>

// Encoders and decoders of the widgets' picture export, on libjpeg and libpng
// directly. They take any QImage and write 24-bit colour.

// JPEG of quality 1..100 (TiError otherwise); fastest trades the accurate
// transform and optimised tables for speed.
QByteArray EncodeJpeg(const QImage& image, int quality, bool progressive, bool fastest);

// PNG with a zlib level 0..9 (TiError otherwise).
QByteArray EncodePng(const QImage& image, int level);

// Uncompressed 24-bit Windows bitmap.
QByteArray EncodeBmp(const QImage& image);

// A JPEG back to an image; a null image when the bytes are not a readable JPEG.
QImage DecodeJpeg(const QByteArray& bytes);
