// The plot's picture and data in files and on the clipboard.
#include "PlotTestSupport.h"

#include "plot/TiPlotExport.h"
#include "support/ScratchDisk.h"
#include "support/WriterChecks.h"
#include "widgets/ImageCodecs.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <functional>
#include <sys/stat.h>

namespace {

QByteArray ReadAll(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Two channels of different lengths, one with a Null and an Empty.
void Fill(TiXYPlot& plot)
{
    plot.resize(300, 200);
    plot.AddChannel();
    plot.GetChannel(0)->SetTitleText(QStringLiteral("Fan, \"inner\""));
    plot.GetChannel(0)->AddXY(0.1, 1e-300);
    plot.GetChannel(0)->AddNull();
    plot.GetChannel(0)->AddEmpty();
    plot.GetChannel(0)->AddXY(-2.5, 123456789.125);
    plot.GetChannel(1)->AddXY(1.0 / 3.0, 2);
}

} // namespace

TEST(PlotExport, CsvHasOneXAndOneYColumnPerChannelInFullPrecision)
{
    TiXYPlot plot;
    Fill(plot);
    const QByteArray csv = TiPlotExport::CsvBytes(plot);
    const QList<QByteArray> lines = csv.split('\n');
    ASSERT_GE(lines.size(), 5);
    EXPECT_EQ(lines[0], "\"Fan, \"\"inner\"\" X\",\"Fan, \"\"inner\"\" Y\",Channel 2 X,Channel 2 Y\r");
    EXPECT_EQ(lines[1], "0.1,1e-300,0.3333333333333333,2\r");
    EXPECT_EQ(lines[2], ",Null,,\r");
    EXPECT_EQ(lines[3], ",Empty,,\r");
    EXPECT_EQ(lines[4], "-2.5,123456789.125,,\r");
    // Every number reads back to the very same double.
    EXPECT_EQ(QByteArray("0.3333333333333333").toDouble(), 1.0 / 3.0);
}

TEST(PlotExport, FilesAreWrittenWholeOrNotAtAll)
{
    TiXYPlot plot;
    Fill(plot);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    const QString csv = dir.filePath(QStringLiteral("data.csv"));
    TiPlotExport::SaveData(plot, csv);
    EXPECT_EQ(ReadAll(csv), TiPlotExport::CsvBytes(plot));

    // A file that cannot be written: the message names it and the reason,
    // and nothing is left under the name.
    const QString missing = dir.filePath(QStringLiteral("no/such/dir/data.csv"));
    const QString message = ErrorOf([&] { TiPlotExport::SaveData(plot, missing); });
    EXPECT_TRUE(message.startsWith(QStringLiteral("Cannot write file ") + missing + QStringLiteral(": "))) << message.toStdString();
    EXPECT_GT(message.size(), (QStringLiteral("Cannot write file ") + missing + QStringLiteral(": ")).size());
    EXPECT_FALSE(QFile::exists(missing));

    // A failing write keeps what the file held before.
    const QString image = dir.filePath(QStringLiteral("plot.bmpx"));
    QFile old(image);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    EXPECT_FALSE(ErrorOf([&] { TiPlotExport::SaveImage(plot, image); }).isEmpty());
    EXPECT_EQ(ReadAll(image), QByteArray("old"));
}

TEST(PlotExport, EveryPlotFileWriterKeepsTheOldFileOnFailure)
{
    TiXYPlot plot;
    Fill(plot);
    struct Writer {
        const char* name;
        std::function<void(const QString&)> write;
        const char* suffix;
    };
    const std::vector<Writer> writers = {
        {"csv", [&](const QString& f) { TiPlotExport::SaveData(plot, f); }, ".csv"},
        {"properties", [&](const QString& f) { plot.SavePropertiesToFile(f); }, ".json"},
        {"png", [&](const QString& f) { TiPlotExport::SaveImage(plot, f); }, ".png"},
        {"svg", [&](const QString& f) { TiPlotExport::SaveImage(plot, f); }, ".svg"},
    };
    for (const Writer& w : writers) {
        SCOPED_TRACE(w.name);
        expectSafeWriter(
            [&](const std::string& path) { return ErrorOf([&] { w.write(QString::fromStdString(path)); }).toStdString(); },
            false, w.suffix);
    }
}

TEST(PlotExport, ReadingADocumentNeverBlocks)
{
    ScratchDisk disk;
    const std::string fifo = disk.path("plot.json");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    TiXYPlot plot;
    for (const std::string& path : {fifo, std::string("/dev/zero")}) {
        const QString file = QString::fromStdString(path);
        EXPECT_EQ(ErrorOf([&] { plot.LoadPropertiesFromFile(file); }),
                  file + QStringLiteral(": cannot read the plot: it is not a regular file"));
    }
}

TEST(PlotExport, ImagesByExtension)
{
    TiXYPlot plot;
    Fill(plot);
    const QImage shown = plot.RenderToImage().convertToFormat(QImage::Format_RGB32);
    QTemporaryDir dir;
    for (const char* name : {"a.png", "b.PNG", "c.jpg", "d.jpeg", "e.svg"}) {
        const QString file = dir.filePath(QString::fromLatin1(name));
        TiPlotExport::SaveImage(plot, file);
        const QByteArray bytes = ReadAll(file);
        ASSERT_FALSE(bytes.isEmpty()) << name;
        const QString ext = QFileInfo(file).suffix().toLower();
        if (ext == QLatin1String("png")) {
            EXPECT_EQ(bytes, plot.GetBytesPNG(6)) << name;
        } else if (ext == QLatin1String("svg")) {
            EXPECT_TRUE(bytes.contains("<svg")) << name;
        } else {
            const QImage decoded = DecodeJpeg(bytes);
            EXPECT_EQ(decoded.size(), shown.size()) << name;
        }
    }
    // The widgets' own export works for the plot too.
    const QString base = dir.filePath(QStringLiteral("base.png"));
    plot.SaveImageToPNG(base, 6);
    EXPECT_EQ(ReadAll(base), plot.GetBytesPNG(6));
    EXPECT_TRUE(ReadAll(base).startsWith("\x89PNG"));
}

TEST(PlotExport, CopyImagePutsPngAndSvgOnTheClipboard)
{
    TiXYPlot plot;
    Fill(plot);
    // The very first picture is already the settled one.
    TiPlotExport::CopyImage(plot);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data(QStringLiteral("image/png")), plot.GetBytesPNG(6));
    EXPECT_TRUE(data->data(QStringLiteral("image/svg+xml")).contains("<svg"));
}
