#pragma once

#include <QString>
#include <functional>

class GalleryWindow;

// Each widget family registers a function that fills its part of the
// gallery, from its own source file in this folder:
//
//   static const GalleryFamily family(20, "Thermometers", [](GalleryWindow& w) { ... });
//
// Families are shown in ascending `order`.
struct GalleryFamily {
    GalleryFamily(int order, const QString& title, std::function<void(GalleryWindow&)> fill);
};

// Adds every registered family to the window, in order.
void fillGallery(GalleryWindow& window);
