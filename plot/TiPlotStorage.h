#pragma once

#include "plot/TiPlotObject.h"

#include <QByteArray>
#include <QJsonValue>
#include <QMetaProperty>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class TiPlotComponent;

// The stored form of a plot: a JSON document holding the widget's published
// properties, the data view's two ZOrders and one array per manager, each
// object as its published properties that differ from a new object's.
// Enumerations are stored by name, fonts as nested objects.
namespace TiPlotStorage {

// A document read and checked completely, its objects built but not yet
// part of the plot.
struct Prepared {
    std::vector<std::pair<QMetaProperty, QVariant>> widgetProperties;
    std::optional<int> dataViewZHorz;
    std::optional<int> dataViewZVert;
    std::vector<std::pair<TiPlotKind, std::vector<std::unique_ptr<TiPlotObject>>>> managers;
    std::optional<std::vector<std::pair<QString, QString>>> translations;
};

QByteArray Save(TiPlotComponent& plot);

// Reads the document into new objects; raises TiError naming the document,
// the key and (for syntax errors) the line. The plot is not touched.
Prepared Prepare(TiPlotComponent& plot, const QByteArray& document, const QString& name);

// Replaces the stored collections (inside the plot's loading bracket).
void Apply(TiPlotComponent& plot, Prepared prepared);

// One published property's value as stored, and back; the second raises
// TiError naming where for a value of the wrong type or an unknown name.
QJsonValue ToJson(const QMetaProperty& property, const QVariant& value);
QVariant FromJson(const QMetaProperty& property, const QJsonValue& value, const QString& where);

} // namespace TiPlotStorage
