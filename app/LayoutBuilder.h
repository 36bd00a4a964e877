#pragma once

#include "app/StoredLayout.h"

class QWidget;

// Creates the controls of a layout table as children of the window, each
// named after its layout name. Throws std::logic_error for an entry whose
// parent does not exist (a broken table).
void buildLayout(QWidget& window, LayoutTable table);

// A combo box of the layout: editable, holding its items, showing its text
// with no item selected.
void setComboContents(class QComboBox& combo, const char* items, const char* text);
