#pragma once

#include "widgets/TiCanvas.h"

#include <QImage>
#include <QSize>
#include <functional>

// The static layers of a widget (background, scale, sections, ticks) kept in
// an image and redrawn only after they were marked changed or the widget's
// size changed.
class TiBackgroundCache {
public:
    // The static layers must be redrawn before the next paint.
    bool Changed() const { return m_changed; }
    void MarkChanged() { m_changed = true; }
    // They were just drawn (straight onto a canvas, without the cache).
    void MarkDrawn() { m_changed = false; }
    // Frees the image; the next cached paint draws the layers again.
    void Release();

    // Copies the layers, drawn by staticLayers into an image of `size`
    // logical pixels at `pixelRatio` when needed, onto canvas at (0, 0).
    void Draw(TiCanvas& canvas, QSize size, double pixelRatio,
              const std::function<void(TiCanvas&)>& staticLayers);

private:
    QImage m_image;
    bool m_changed = true;
};
