#include "BaseTestWidget.h"

#include "widgets/ImageCodecs.h"
#include "widgets/TiError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A 40 x 30 widget: white background, a 10-pixel blue bar on top.
struct ExportFixture : ::testing::Test {
    ExportFixture()
    {
        w.SetBackGroundColor(clWhite);
        w.SetValue(10);
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    BaseTestWidget w;
    QTemporaryDir dir;
};

bool near(const QColor& a, const QColor& b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance;
}

QString errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const TiError& e) {
        return e.Message();
    }
    return QString();
}

TEST_F(ExportFixture, PngBytesAndFileRoundTripExactly)
{
    const QByteArray bytes = w.GetBytesPNG(9);
    ASSERT_TRUE(bytes.startsWith("\x89PNG"));
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(bytes, "PNG"));
    EXPECT_EQ(decoded.size(), QSize(40, 30));
    EXPECT_EQ(decoded.pixelColor(3, 0), QColor(Qt::blue));
    EXPECT_EQ(decoded.pixelColor(20, 20), QColor(Qt::white));

    w.SaveImageToPNG(path("w.png"), 0);
    QImage fromFile(path("w.png"));
    EXPECT_EQ(fromFile.size(), QSize(40, 30));
    EXPECT_EQ(fromFile.pixelColor(9, 1), QColor(Qt::blue));
    EXPECT_EQ(fromFile.pixelColor(10, 1), QColor(Qt::white));
}

TEST_F(ExportFixture, JpegBytesFileAndImageRoundTrip)
{
    for (bool progressive : {false, true}) {
        const QByteArray bytes = w.GetBytesJPEG(90, progressive);
        ASSERT_TRUE(bytes.startsWith("\xFF\xD8"));
        QImage decoded;
        ASSERT_TRUE(decoded.loadFromData(bytes, "JPG"));
        EXPECT_EQ(decoded.size(), QSize(40, 30));
        EXPECT_TRUE(near(decoded.pixelColor(30, 25), Qt::white, 8));
        EXPECT_TRUE(near(decoded.pixelColor(4, 0), Qt::blue, 60));
    }
    w.SaveImageToJPEG(path("w.jpg"), 100, false);
    QImage fromFile(path("w.jpg"));
    EXPECT_EQ(fromFile.size(), QSize(40, 30));

    const QImage jpeg = w.GetJPEG(75, false);
    EXPECT_EQ(jpeg.size(), QSize(40, 30));
    EXPECT_TRUE(near(jpeg.pixelColor(30, 25), Qt::white, 8));
}

TEST_F(ExportFixture, BadQualityOrLevelRaisesAndWritesNothing)
{
    for (int q : {0, 101, -5}) {
        EXPECT_EQ(errorOf([&] { w.SaveImageToJPEG(path("bad.jpg"), q, false); }),
                  QStringLiteral("Compression must be in the range of 1-100"));
        EXPECT_EQ(errorOf([&] { w.GetBytesJPEG(q, true); }), QStringLiteral("Compression must be in the range of 1-100"));
        EXPECT_EQ(errorOf([&] { w.GetJPEG(q, false); }), QStringLiteral("Compression must be in the range of 1-100"));
    }
    for (int level : {-1, 10}) {
        EXPECT_EQ(errorOf([&] { w.SaveImageToPNG(path("bad.png"), level); }),
                  QStringLiteral("Compression must be in the range of 0-9"));
        EXPECT_EQ(errorOf([&] { w.GetBytesPNG(level); }), QStringLiteral("Compression must be in the range of 0-9"));
    }
    EXPECT_FALSE(QFile::exists(path("bad.jpg")));
    EXPECT_FALSE(QFile::exists(path("bad.png")));

    // An existing file is left alone too.
    w.SaveImageToPNG(path("keep.png"), 6);
    const QByteArray before = [&] { QFile f(path("keep.png")); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    EXPECT_FALSE(errorOf([&] { w.SaveImageToPNG(path("keep.png"), 11); }).isEmpty());
    QFile after(path("keep.png"));
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
}

TEST_F(ExportFixture, BitmapAndVectorForms)
{
    w.SaveImageToBitmap(path("w.bmp"));
    QImage bmp(path("w.bmp"));
    ASSERT_EQ(bmp.size(), QSize(40, 30));
    EXPECT_EQ(bmp.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(bmp.pixelColor(39, 29), QColor(Qt::white));

    w.SaveImageToMetaFile(path("w.svg"));
    QFile svg(path("w.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray text = svg.readAll();
    EXPECT_TRUE(text.contains("<svg"));
    EXPECT_TRUE(text.contains("#0000ff")) << "the bar is drawn as vector content";
}

TEST_F(ExportFixture, ExportShowsPaintErrorLikeTheScreen)
{
    w.fail = true;
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(w.GetBytesPNG(1), "PNG"));
    EXPECT_EQ(decoded.pixelColor(39, 29), QColor(Qt::black));
    EXPECT_FALSE(errorOf([&] { w.SaveImageToMetaFile(path("fail.svg")); }).isEmpty());
    EXPECT_FALSE(QFile::exists(path("fail.svg")));
}

TEST(ImageCodecs, CorruptJpegDecodesToNullImage)
{
    EXPECT_TRUE(DecodeJpeg(QByteArray("not a jpeg at all")).isNull());
    EXPECT_TRUE(DecodeJpeg(QByteArray()).isNull());
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(Qt::red);
    QByteArray bytes = EncodeJpeg(img, 80, false, false);
    EXPECT_EQ(DecodeJpeg(bytes).size(), QSize(8, 8));
}

} // namespace
