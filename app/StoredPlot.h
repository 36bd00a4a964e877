#pragma once

class QWidget;

// The layout's XY plot, restored from its stored document (a resource
// path). Kept apart from the instrument widgets' headers: the plot's and
// the angular gauge's enumerations share value names (ipfsNone), so the two
// families cannot be included in one file.
QWidget* createStoredPlot(QWidget* parent, const char* document);
