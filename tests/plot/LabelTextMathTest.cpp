#include "plot/TiPlotLabelText.h"

#include <gtest/gtest.h>

namespace {
TiPlotLabelFormat fmt(TiPlotTextFormat style, int precision = 3, TiPrecisionStyle ps = ipsSignificantDigits)
{
    TiPlotLabelFormat f;
    f.Style = style;
    f.Precision = precision;
    f.PrecisionStyle = ps;
    return f;
}
} // namespace

TEST(PlotLabelText, DecimalPlacesPerSignificantDigits)
{
    EXPECT_EQ(TiPlotLabelText::decimalPlaces(3, ipsSignificantDigits, 125), 0);
    EXPECT_EQ(TiPlotLabelText::decimalPlaces(3, ipsSignificantDigits, 1.25), 2);
    EXPECT_EQ(TiPlotLabelText::decimalPlaces(3, ipsSignificantDigits, 0.5), 3);
    EXPECT_EQ(TiPlotLabelText::decimalPlaces(3, ipsSignificantDigits, 5500), 0);
    EXPECT_EQ(TiPlotLabelText::decimalPlaces(2, ipsFixedDecimalPoints, 125), 2);
    EXPECT_EQ(TiPlotLabelText::decimalPlaces(2, ipsFixedDecimalPoints, 0.001), 2);
    EXPECT_EQ(TiPlotLabelText::decimalPlaces(0, ipsSignificantDigits, 0.001), 0);
    EXPECT_EQ(TiPlotLabelText::text(17.5, fmt(iptfValue), 1.25), "17.50");
    EXPECT_EQ(TiPlotLabelText::text(-40, fmt(iptfValue), 125), "-40");
    EXPECT_EQ(TiPlotLabelText::text(-1e-13, fmt(iptfValue), 125), "0");
}

TEST(PlotLabelText, PrefixFormats)
{
    struct Case {
        double v;
        const char* text;
    };
    for (const Case& c : {Case {1500, "1.50K"}, Case {0.0002, "0.200m"}, Case {0.002, "0.00200"}, Case {0, "0.0"},
                          Case {2.5e6, "2.50M"}, Case {-4.7e-6, "-0.00470m"}, Case {4.7e-7, "0.470\u00B5"}, Case {1e27, "Unknown"}})
        EXPECT_EQ(TiPlotLabelText::text(c.v, fmt(iptfPrefix), 100), QString::fromUtf8(c.text)) << c.v;
}

TEST(PlotLabelText, OtherFormats)
{
    EXPECT_EQ(TiPlotLabelText::text(1500, fmt(iptfExponent), 100), "1.500e+03");
    EXPECT_EQ(TiPlotLabelText::text(1500, fmt(iptfExponent, 2, ipsFixedDecimalPoints), 100), "1.500e+03");
    EXPECT_EQ(TiPlotLabelText::text(1234567.891, fmt(iptfThousands), 10), "1,234,567.9");
    EXPECT_EQ(TiPlotLabelText::text(-1234.5, fmt(iptfThousands, 2, ipsFixedDecimalPoints), 10), "-1,234.50");
    EXPECT_EQ(TiPlotLabelText::text(101.5, fmt(iptfPrice32nds), 10), "101.160");
    EXPECT_EQ(TiPlotLabelText::text(99.25, fmt(iptfPrice32nds), 10), "99.080");
    EXPECT_EQ(TiPlotLabelText::text(0.1, fmt(iptfValue), 10, ipstLog10), "0.1");
    EXPECT_EQ(TiPlotLabelText::text(0.01, fmt(iptfValue), 10, ipstLog10), "0.01");
    EXPECT_EQ(TiPlotLabelText::text(1000, fmt(iptfValue), 10, ipstLog10), "1000");
    EXPECT_EQ(TiPlotLabelText::text(-1, fmt(iptfValue), 10, ipstLog10), "Unknown");
    EXPECT_EQ(TiPlotLabelText::text(std::nan(""), fmt(iptfValue), 10), "Error");
}

TEST(PlotLabelText, DateTimeFormats)
{
    const double t = TiPlotLabelText::encodeDateTime(2026, 12, 9, 13, 5, 7, 250);
    TiPlotLabelFormat f = fmt(iptfDateTime);
    EXPECT_EQ(TiPlotLabelText::text(t, f, 1), "13:05:07");
    f.DateTimeFormat = "yyyy-mm-dd hh:mm";
    EXPECT_EQ(TiPlotLabelText::text(t, f, 1), "2026-12-09 13:05");
    f.DateTimeFormat = "d mmm yy, h:nn:ss.zzz am/pm";
    EXPECT_EQ(TiPlotLabelText::text(t, f, 1), "9 Dec 26, 1:05:07.250 pm");
    f.DateTimeFormat = "Jhh:nn";
    EXPECT_EQ(TiPlotLabelText::text(2.75, f, 1), "2 18:00");
    f.DateTimeFormat = "dddd 'at' hh";
    EXPECT_EQ(TiPlotLabelText::text(t, f, 1), "Wednesday at 13");
    EXPECT_EQ(TiPlotLabelText::text(1e12, f, 1), "Error");
}

TEST(PlotLabelText, BandThicknessAndGuard)
{
    // Console Y axis: 3 inner + 2 outer + 4 tick + label gap + widest label + 1.25 title heights.
    TiPlotLabelText::BandInput in;
    in.TitleVisible = true;
    in.TitleHeight = 16;
    in.TitleWidth = 60;
    in.TitleMargin = 0.25;
    in.MajorLength = 4;
    in.MinorLength = 2;
    in.HeightA = 13;
    in.Across = 24;
    in.InnerMargin = 3;
    in.OuterMargin = 2;
    auto r = TiPlotLabelText::requiredWidth(in);
    EXPECT_EQ(r.RequiredWidth, 3 + 2 + 4 + 3 + 24 + 20);
    EXPECT_EQ(r.TitleOffset, 4 + 3 + 3 + 24);
    in.TitleRotated = true;
    EXPECT_EQ(TiPlotLabelText::requiredWidth(in).RequiredWidth, 3 + 2 + 4 + 3 + 24 + 64);
    in.TitleVisible = false;
    in.ScaleLinesShow = false;
    in.LabelsVisible = false;
    EXPECT_EQ(TiPlotLabelText::requiredWidth(in).RequiredWidth, 5);
    in.ScaleLinesShow = true;
    in.MajorLength = -9;
    EXPECT_EQ(TiPlotLabelText::requiredWidth(in).RequiredWidth, 7);

    EXPECT_EQ(TiPlotLabelText::requiredLengthGuard(true, false, ira000, 13, 40), 6);
    EXPECT_EQ(TiPlotLabelText::requiredLengthGuard(true, false, ira090, 13, 40), 20);
    EXPECT_EQ(TiPlotLabelText::requiredLengthGuard(true, true, ira000, 13, 41), 20);
    EXPECT_EQ(TiPlotLabelText::requiredLengthGuard(false, true, ira000, 13, 41), 0);
    EXPECT_EQ(TiPlotLabelText::labelsAcross(false, ira000, 40, 13), 40);
    EXPECT_EQ(TiPlotLabelText::labelsAcross(true, ira000, 40, 13), 13);
    EXPECT_EQ(TiPlotLabelText::requiredLabelLength(6, 5, 24), 30);
    EXPECT_EQ(TiPlotLabelText::requiredLabelLength(6, 5, 41), 41);
    EXPECT_EQ(TiPlotLabelText::widestLabelValue(-45, 125), 125);
    EXPECT_EQ(TiPlotLabelText::widestLabelValue(300, 100), 400);
}
