#include "app/StoredPlot.h"

#include "plot/TiXYPlot.h"

#include <QString>

#include <memory>
#include <stdexcept>

QWidget* createStoredPlot(QWidget* parent, const char* document)
{
    if (document == nullptr)
        throw std::logic_error("layout: a plot without its stored document");
    auto plot = std::make_unique<TiXYPlot>();
    plot->LoadPropertiesFromFile(QString::fromUtf8(document));
    plot->setParent(parent);
    return plot.release();
}
