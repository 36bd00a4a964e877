#pragma once

#include <QRect>
#include <QSize>

#include <memory>

class QWidget;

// The main window has a fixed size. On a screen whose free area is smaller
// (a small laptop panel, or a large scale factor) it is shown inside a
// scrolling frame that fills the free area, so every control can be reached;
// where it fits it is shown as it is.
namespace ScreenFit {

bool fits(QSize window, QRect available);

// Size of the scrolling frame: the window plus room for the scroll bars,
// but no larger than the free area.
QSize frameSize(QSize window, QRect available, int scrollBarExtent);

// `window` itself when it fits `available`, else a scrolling frame that owns
// it, titled as it is.
std::unique_ptr<QWidget> fitted(std::unique_ptr<QWidget> window, QRect available);

}
