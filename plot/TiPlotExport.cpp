#include "plot/TiPlotExport.h"

#include "plot/TiPlotChannelCustom.h"
#include "plot/TiPlotComponent.h"
#include "plot/TiPlotLegendPainter.h"
#include "files/ReplacingFile.h"
#include "widgets/ImageCodecs.h"
#include "widgets/TiError.h"

#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QSvgGenerator>
#include <algorithm>
#include <charconv>

namespace TiPlotExport {

namespace {

QByteArray Number(double v)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return QByteArray(buffer, int(result.ptr - buffer));
}

QByteArray CsvField(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    if (bytes.contains(',') || bytes.contains('"') || bytes.contains('\n') || bytes.contains('\r')) {
        bytes.replace("\"", "\"\"");
        bytes = '"' + bytes + '"';
    }
    return bytes;
}

} // namespace

QByteArray SvgBytes(TiPlotComponent& plot)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(plot.size());
    svg.setViewBox(QRect(QPoint(0, 0), plot.size()));
    svg.setTitle(plot.objectName());
    {
        QPainter painter(&svg);
        plot.iPaintToDC(0, 0, painter, false);
    }
    return bytes;
}

QByteArray CsvBytes(TiPlotComponent& plot)
{
    QByteArray out;
    int rows = 0;
    for (int c = 0; c < plot.ChannelCount(); ++c) {
        TiPlotChannelCustom* channel = plot.GetChannelCustom(c);
        const QString title = TiPlotLegendPainter::TitleOf(*channel);
        if (c > 0)
            out += ',';
        out += CsvField(title + QStringLiteral(" X")) + ',' + CsvField(title + QStringLiteral(" Y"));
        rows = std::max(rows, channel->GetCount());
    }
    out += "\r\n";
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < plot.ChannelCount(); ++c) {
            TiPlotChannelCustom* channel = plot.GetChannelCustom(c);
            if (c > 0)
                out += ',';
            if (r >= channel->GetCount()) {
                out += ',';
                continue;
            }
            double x = 0, y = 0;
            bool empty = false, null = false;
            channel->GetXYEmptyNull(r, x, y, empty, null);
            if (null)
                out += ",Null";
            else if (empty)
                out += ",Empty";
            else
                out += Number(x) + ',' + Number(y);
        }
        out += "\r\n";
    }
    return out;
}

void WriteFileWhole(const QString& fileName, const QByteArray& bytes)
{
    ReplacingFile file;
    if (!file.open(QFile::encodeName(fileName).toStdString()) || !file.write({bytes.constData(), std::size_t(bytes.size())})
        || !file.commit())
        throw TiError(QStringLiteral("Cannot write file %1: %2").arg(fileName, QString::fromStdString(file.reason())));
}

void SaveImage(TiPlotComponent& plot, const QString& fileName)
{
    const QString ext = QFileInfo(fileName).suffix().toLower();
    QByteArray bytes;
    if (ext == QLatin1String("png"))
        bytes = EncodePng(plot.RenderToImage(), 6);
    else if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg"))
        bytes = EncodeJpeg(plot.RenderToImage(), 90, false, false);
    else if (ext == QLatin1String("svg"))
        bytes = SvgBytes(plot);
    else
        throw TiError(QStringLiteral("Cannot write file %1: unknown image type \"%2\" (use .png, .jpg or .svg)")
                          .arg(fileName, ext));
    WriteFileWhole(fileName, bytes);
}

void SaveData(TiPlotComponent& plot, const QString& fileName) { WriteFileWhole(fileName, CsvBytes(plot)); }

void CopyImage(TiPlotComponent& plot)
{
    auto data = std::make_unique<QMimeData>();
    data->setData(QStringLiteral("image/png"), EncodePng(plot.RenderToImage(), 6));
    data->setData(QStringLiteral("image/svg+xml"), SvgBytes(plot));
    QGuiApplication::clipboard()->setMimeData(data.release());
}

} // namespace TiPlotExport
