#pragma once

#include "app/StoredLayout.h"

// The status strip over the tab row (iLabel1, iLedBar1) and the contents of
// the RealTimeData sheet. Built after the page control and its sheets.
LayoutTable liveLayout();
