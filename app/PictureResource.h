#pragma once

#include <QImage>
#include <QString>

// Reads a JPEG picture stored in the program's resources (e.g.
// ":/panel/FrontPanel.jpg") and decodes it with libjpeg. Throws
// std::runtime_error when the resource is missing or not a readable JPEG:
// the window cannot be built without it.
QImage loadJpegResource(const QString& path);
