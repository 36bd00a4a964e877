#pragma once

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
};

struct LayoutFont {
    const char* family = nullptr;   // nullptr: inherited from the parent
    int pixelSize = 0;
    bool bold = false;
    bool italic = false;
};

struct LayoutEntry {
    const char* name;
    ControlKind kind;
    const char* parent;     // layout name of the owner; nullptr: the window
    int left, top, width, height;
    const char* text;       // caption or initial text
    LayoutFont font{};
    const char* items = nullptr;    // combo items separated by '|'
    bool enabled = true;
    const char* glyph = nullptr;    // resource path of a bit-button glyph
};

using LayoutTable = std::span<const LayoutEntry>;
