#include "app/PictureResource.h"

#include "widgets/ImageCodecs.h"

#include <QFile>

#include <stdexcept>

QImage loadJpegResource(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("Picture not found: " + path.toStdString());
    const QImage image = DecodeJpeg(file.readAll());
    if (image.isNull())
        throw std::runtime_error("Picture is not a readable JPEG: " + path.toStdString());
    return image;
}
