#pragma once

#include "app/StoredLayout.h"

// The contents of the Graph sheet: the fan-curve plot and its two buttons.
// Built after the page control and its sheets.
LayoutTable graphLayout();
