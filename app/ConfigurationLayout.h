#pragma once

#include "app/StoredLayout.h"

// The page control, its three sheets and the whole Configuration sheet.
LayoutTable configurationLayout();
