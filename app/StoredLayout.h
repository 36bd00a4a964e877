#pragma once

#include <QVariant>

#include <span>

// The window is created from tables of controls, the way a form designer
// would store it: one entry per control with its class, owner, bounds,
// caption and font. Parents come before their children in a table.

enum class ControlKind {
    PageControl,
    TabSheet,   // a page of the page control named as its parent
    GroupBox,
    Label,
    Edit,
    ComboBox,
    PortComboBox,   // the port-name combo: refreshes its list on drop-down
    Button,
    BitBtn,
    Image,          // a picture control showing the resource named by `glyph`
    Bevel,          // a sunken frame line
    ProgressBar,    // a vertical bar at 100 %, used as a divider line
    // Instrument widgets; their stored settings are `properties`.
    TiLabel,
    TiLedBar,
    TiAngularGauge,
    TiOdometer,
    TiLedRound,
    TiAnalogOutput,
    TiThermometer,
    TiSwitchRotary,
    TiSwitchLed,
    TiXYPlot,       // restored from the stored plot document named by `glyph`
};

struct LayoutFont {
    const char* family = nullptr;   // nullptr: inherited from the parent
    int pixelSize = 0;
    bool bold = false;
    bool italic = false;
};

// One stored property of an instrument widget, assigned by its published
// name (enumerations may be given by their value names, e.g. "iagpsTriangle").
struct WidgetProperty {
    const char* name;
    QVariant value;
};

using WidgetProperties = std::span<const WidgetProperty>;

struct LayoutEntry {
    const char* name;
    ControlKind kind;
    const char* parent;     // layout name of the owner; nullptr: the window
    int left, top, width, height;
    const char* text;       // caption or initial text
    LayoutFont font{};
    const char* items = nullptr;    // combo items separated by '|'
    bool enabled = true;
    const char* glyph = nullptr;    // resource path of a bit-button glyph, a picture or a stored plot
    WidgetProperties properties{};  // instrument widgets: assigned while loading
    bool visible = true;
    int color = -1;                 // background of a standard control, 0x00BBGGRR; -1: default
};

using LayoutTable = std::span<const LayoutEntry>;
