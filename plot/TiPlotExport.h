#pragma once
// What the data view's menu offers: the picture on the clipboard, the
// picture in a file (PNG, JPEG or SVG by the file's extension) and the
// channels' points as CSV. Files are written whole or not at all; a file
// that cannot be written raises TiError naming it and the system's reason.
#include <QByteArray>
#include <QString>

class TiPlotComponent;

namespace TiPlotExport {

// The picture as SVG.
QByteArray SvgBytes(TiPlotComponent& plot);

// One X and one Y column per channel, the channel's title over each ("Title
// X", "Title Y"); numbers in the C locale, shortest text that reads back to
// the same double. A Null or Empty point leaves its X cell blank and says
// "Null" or "Empty" in its Y cell; a shorter channel leaves its cells blank.
QByteArray CsvBytes(TiPlotComponent& plot);

// Writes bytes to fileName through a temporary file renamed at the end, so
// a failure leaves whatever was there before.
void WriteFileWhole(const QString& fileName, const QByteArray& bytes);

// PNG, JPEG or SVG chosen by the extension (case ignored); any other
// extension raises TiError.
void SaveImage(TiPlotComponent& plot, const QString& fileName);
void SaveData(TiPlotComponent& plot, const QString& fileName);
// PNG and SVG of the picture on the clipboard.
void CopyImage(TiPlotComponent& plot);

} // namespace TiPlotExport
