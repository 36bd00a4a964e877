#pragma once

class QWidget;

// The layout's XY plot, restored from its stored document (a resource path).
QWidget* createStoredPlot(QWidget* parent, const char* document);
