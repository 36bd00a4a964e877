#include "app/FontSubstitutions.h"

#include <QFont>
#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// Dark pixels of one character drawn black on white.
int inkOf(const QString& character, const QFont& font)
{
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, 0, 64, 64), Qt::AlignCenter, character);
    }
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += qGray(image.pixel(x, y)) < 128;
    return ink;
}

QFont layoutFont(const char* family, int pixels, bool bold = false, bool italic = false)
{
    QFont font(QString::fromUtf8(family));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

class FontSubstitutionTest : public ::testing::Test {
protected:
    void SetUp() override { installFontSubstitutions(); }
};

TEST_F(FontSubstitutionTest, WindowsFamiliesMapToInstalledLookAlikes)
{
    const std::pair<const char*, const char*> families[] = {
        {"Cambria", "Caladea"}, {"Calibri", "Carlito"}, {"Times New Roman", "Liberation Serif"},
        {"MS Sans Serif", "Liberation Sans"}, {"Monotype Corsiva", "Z003"}, {"Terminal", "Liberation Mono"},
    };
    for (const auto& [windows, debian] : families)
        EXPECT_TRUE(QFontInfo(layoutFont(windows, 16)).family().startsWith(debian)) << windows;
}

TEST_F(FontSubstitutionTest, ChineseTextsRenderEveryCharacter)
{
    const QString texts = QString::fromUtf8("通信端口设置错误");
    for (const QFont& font : {layoutFont("隶书", 16, true), layoutFont("MS Sans Serif", 13)}) {
        for (const QChar c : texts)
            EXPECT_GT(inkOf(c, font), 10) << font.family().toStdString() << " draws nothing for U+"
                                          << std::hex << int(c.unicode());
    }
}

TEST_F(FontSubstitutionTest, DegreeSignRendersInEveryUnitFont)
{
    const QString degree = QString::fromUtf8("℃");
    for (const QFont& font : {layoutFont("Monotype Corsiva", 16, true, true), layoutFont("Calibri", 16),
                              layoutFont("Cambria", 16), layoutFont("隶书", 16)})
        EXPECT_GT(inkOf(degree, font), 10) << font.family().toStdString();
}

} // namespace
