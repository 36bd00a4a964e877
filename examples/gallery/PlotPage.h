#pragma once

#include <memory>

class QWidget;

// The gallery's plot page: one XY chart with an X and a Y axis, a legend and
// three channels: a sine with markers, a saw broken by Null points and a
// random walk of 1,000,000 points.
std::unique_ptr<QWidget> createPlotPage();
