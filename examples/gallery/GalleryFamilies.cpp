#include "GalleryFamilies.h"

#include "GalleryWindow.h"

#include <algorithm>
#include <vector>

namespace {

struct Entry {
    int order;
    QString title;
    std::function<void(GalleryWindow&)> fill;
};

// A function-local list: registrars in other files may run before this one.
std::vector<Entry>& registry()
{
    static std::vector<Entry> entries;
    return entries;
}

} // namespace

GalleryFamily::GalleryFamily(int order, const QString& title,
                             std::function<void(GalleryWindow&)> fill)
{
    registry().push_back({order, title, std::move(fill)});
}

void fillGallery(GalleryWindow& window)
{
    std::vector<Entry> entries = registry();
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.order < b.order; });
    for (const Entry& e : entries) {
        window.addSection(e.title);
        e.fill(window);
    }
}
