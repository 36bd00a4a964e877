#pragma once
// Geometry of the legend: columns inside a row, rows wrapping into columns
// of rows, the scroll buttons when even that is not enough, the required
// size for the layout, and the line sample of a row. Text sizes are
// measured by the caller and handed in.
#include "plot/TiPlotTypes.h"
#include "widgets/TiCanvas.h"

#include <QPoint>
#include <array>
#include <utility>
#include <vector>

namespace TiPlotLegendMath {

enum Column { Line, Marker, Title, XAxisTitle, YAxisTitle, XValue, YValue, YMax, YMin, YMean, ColumnCount };

constexpr int kButtonSize = 17;
constexpr int kButtonRoom = 25;
constexpr int kSampleWidth = 16;

struct Settings {
    bool Horizontal = false;
    double MarginLeft = 1, MarginTop = 1, MarginRight = 1, MarginBottom = 1;
    double ColumnSpacing = 0.5;
    double RowSpacing = 0.25;
    double WrapColSpacingMin = 2;
    double ChannelNameMaxWidth = 0;
    bool ColumnTitlesVisible = false;
    // Which columns show; the title column always does.
    std::array<bool, ColumnCount> Show {true, false, true, false, false, false, false, false, false, false};
    int WrapColDesiredCount = 1;
    bool WrapColAutoCountEnabled = false;
    int WrapColAutoCountMax = 100;
    bool WrapColSpacingAuto = true;
    int WrapRowDesiredCount = 5;
    bool WrapRowAutoCountEnabled = true;
    int WrapRowAutoCountMax = 100;
    bool WrapRowSpacingAuto = false;
};

struct Measures {
    int WidthOf0 = 0, HeightOf0 = 0;       // "0" in Font
    int CaptionHeight = 0;                 // "0" in ColumnTitlesFont
    std::array<int, ColumnCount> CaptionWidths {}; // translated captions in ColumnTitlesFont
};

// One listed channel: its row height (the title's height, wrapped when the
// title column has a fixed width) and the widths its texts need per column.
struct Row {
    int Height = 0;
    std::array<int, ColumnCount> Widths {};
};

struct ItemPlace {
    int Column = 0, Row = 0; // from 1
    int Left = 0, Top = 0;
};

struct Geometry {
    TiRect Inner, CaptionRect, ItemArea;
    int ColumnGap = 0, RowGap = 0, WrapGap = 0;
    int RowHeight = 0, CaptionGap = 0;
    std::array<int, ColumnCount> Widths {}, Offsets {};
    int ItemWidth = 0;
    int Rows = 0, Cols = 0;
    std::vector<int> ColumnLefts;
    std::vector<ItemPlace> Items; // one per row input; placed from FirstShown to LastShown
    int FirstShown = 0, LastShown = -1;
    int RequiredWidth = 0, RequiredHeight = 0;
    bool ButtonsVisible = false;
    TiRect UpButton, DownButton;
    bool UpEnabled = false, DownEnabled = false;

    // Where item i's title is written (the channel's legend rectangle).
    TiRect titleCell(int i, const std::vector<Row>& rows) const;
};

// Lays the legend out in drawRect; `firstShown` is the scroll position kept
// between paints.
Geometry calcRects(const Settings& s, const TiRect& drawRect, const Measures& m, const std::vector<Row>& rows,
                   int firstShown);

// Scroll positions after a button press.
int upButtonClick(int firstShown);
int downButtonClick(int firstShown, int count);

// Dash pattern of a 13-pixel line sample: [from, to) offsets.
std::vector<std::pair<int, int>> lineSampleRuns(TiPlotLineStyle style);
// Three one-pixel lines of the pattern at left, centred on top + H0 div 2.
void drawLineSample(TiCanvas& canvas, int left, int top, int heightOf0, TColor color, TiPlotLineStyle style);
// Centre of the marker sample of a row.
QPoint markerSampleCentre(const Geometry& g, const ItemPlace& place, int heightOf0);
// Triangle on a scroll button.
std::array<QPoint, 3> buttonTriangle(const TiRect& button, bool up);

} // namespace TiPlotLegendMath
