#include "plot/TiPlotStorage.h"

#include "plot/TiPlotComponent.h"
#include "plot/TiPlotPropertyLimits.h"
#include "widgets/TiError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QMetaEnum>
#include <cmath>

namespace TiPlotStorage {
namespace {

struct StoredManager {
    const char* key;
    TiPlotKind kind;
};

// The stored collections in the order they are written and read.
const StoredManager kManagers[] = {
    {"ToolBarManager", TiPlotKind::ToolBar},     {"LegendManager", TiPlotKind::Legend},
    {"TableManager", TiPlotKind::Table},         {"XAxisManager", TiPlotKind::XAxis},
    {"YAxisManager", TiPlotKind::YAxis},         {"ChannelManager", TiPlotKind::Channel},
    {"DataViewManager", TiPlotKind::DataView},   {"DataCursorManager", TiPlotKind::DataCursor},
    {"LimitManager", TiPlotKind::Limit},         {"LabelManager", TiPlotKind::Label},
};
const char* const kTranslationKey = "TranslationManager";
const char* const kPropertiesKey = "Properties";

[[noreturn]] void Fail(const QString& name, const QString& where, const QString& problem)
{
    throw TiError(QStringLiteral("%1: %2: %3").arg(name, where, problem));
}

QJsonObject FontToJson(const TiFont& font)
{
    return QJsonObject{{QStringLiteral("Name"), font.Name},
                       {QStringLiteral("Height"), font.Height},
                       {QStringLiteral("Color"), font.Color},
                       {QStringLiteral("Style"), font.Style},
                       {QStringLiteral("Orientation"), font.Orientation}};
}

bool IsInteger(const QJsonValue& value)
{
    if (!value.isDouble())
        return false;
    const double d = value.toDouble();
    return std::floor(d) == d && d >= -2147483648.0 && d <= 2147483647.0;
}

QString TypeError(const char* expected) { return QStringLiteral("expected %1").arg(QLatin1String(expected)); }

// A number as a user would write it: whole numbers without exponent.
QString NumberText(double value)
{
    if (std::trunc(value) == value && std::fabs(value) < 1e16)
        return QString::number(static_cast<long long>(value));
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

// Refuses a number outside the range its property paints with.
void CheckRange(const std::optional<TiPlotPropertyLimits::Range>& range, double value, const QString& where)
{
    if (!range || range->Contains(value))
        return;
    throw TiError(QStringLiteral("%1: %2 is out of range %3 .. %4")
                      .arg(where, NumberText(value), NumberText(range->Min), NumberText(range->Max)));
}

TiFont FontFromJson(const QJsonValue& value, const QString& where)
{
    if (!value.isObject())
        throw TiError(QStringLiteral("%1: %2").arg(where, TypeError("a font object")));
    TiFont font;
    const QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString key = it.key();
        const QString at = where + QLatin1Char('.') + key;
        if (key == QLatin1String("Name")) {
            if (!it->isString())
                throw TiError(QStringLiteral("%1: %2").arg(at, TypeError("a string")));
            font.Name = it->toString();
        } else if (key == QLatin1String("Height") || key == QLatin1String("Color") || key == QLatin1String("Style")
                   || key == QLatin1String("Orientation")) {
            if (!IsInteger(*it))
                throw TiError(QStringLiteral("%1: %2").arg(at, TypeError("an integer")));
            const int v = it->toInt();
            CheckRange(TiPlotPropertyLimits::OfFontField(key.toLatin1().constData()), v, at);
            if (key == QLatin1String("Height"))
                font.Height = v;
            else if (key == QLatin1String("Color"))
                font.Color = v;
            else if (key == QLatin1String("Style"))
                font.Style = v;
            else
                font.Orientation = v;
        } else {
            throw TiError(QStringLiteral("%1: unknown font property").arg(at));
        }
    }
    return font;
}

// A JSON value as compact text, keeping the order we choose for objects.
QString Compact(const QJsonValue& value)
{
    const QByteArray text = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(text.mid(1, text.size() - 2));
}

using Members = std::vector<std::pair<QString, QString>>; // key, value text

QString WriteObject(const Members& members, int indent)
{
    if (members.empty())
        return QStringLiteral("{}");
    const QString pad(indent + 4, QLatin1Char(' '));
    QString text = QStringLiteral("{\n");
    for (std::size_t i = 0; i < members.size(); ++i) {
        text += pad + Compact(members[i].first) + QStringLiteral(": ") + members[i].second;
        text += i + 1 < members.size() ? QStringLiteral(",\n") : QStringLiteral("\n");
    }
    return text + QString(indent, QLatin1Char(' ')) + QLatin1Char('}');
}

QString WriteArray(const std::vector<QString>& items, int indent)
{
    if (items.empty())
        return QStringLiteral("[]");
    const QString pad(indent + 4, QLatin1Char(' '));
    QString text = QStringLiteral("[\n");
    for (std::size_t i = 0; i < items.size(); ++i)
        text += pad + items[i] + (i + 1 < items.size() ? QStringLiteral(",\n") : QStringLiteral("\n"));
    return text + QString(indent, QLatin1Char(' ')) + QLatin1Char(']');
}

// The stored properties of a gadget that differ from the reference's.
Members ObjectMembers(TiPlotObject& object, TiPlotObject& reference)
{
    Members members;
    const QMetaObject* meta = object.GadgetMetaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty p = meta->property(i);
        if (!p.isStored() || !p.isWritable())
            continue;
        const QJsonValue value = ToJson(p, p.readOnGadget(&object));
        if (value != ToJson(p, p.readOnGadget(&reference)))
            members.emplace_back(QString::fromLatin1(p.name()), Compact(value));
    }
    return members;
}

// The widget's stored properties: the plot's own and the base's colour and border.
std::vector<QMetaProperty> WidgetProperties(const TiPlotComponent& plot)
{
    const QMetaObject* meta = plot.metaObject();
    std::vector<QMetaProperty> properties;
    for (const char* base : {"BackGroundColor", "BorderStyle"})
        properties.push_back(meta->property(meta->indexOfProperty(base)));
    for (int i = TiPlotComponent::staticMetaObject.propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty p = meta->property(i);
        if (p.isStored() && p.isWritable())
            properties.push_back(p);
    }
    return properties;
}

int LineOf(const QByteArray& document, int offset)
{
    return static_cast<int>(document.left(offset).count('\n')) + 1;
}

} // namespace

QJsonValue ToJson(const QMetaProperty& property, const QVariant& value)
{
    if (property.isEnumType()) {
        const int v = *static_cast<const int*>(value.constData());
        const char* key = property.enumerator().valueToKey(v);
        return key ? QJsonValue(QString::fromLatin1(key)) : QJsonValue(v);
    }
    const int type = property.metaType().id();
    if (type == QMetaType::fromType<TiFont>().id())
        return FontToJson(value.value<TiFont>());
    switch (type) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::Int:
        return value.toInt();
    case QMetaType::Double:
        return value.toDouble();
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QVariant:
        return QJsonValue::fromVariant(value);
    default:
        throw TiError(QStringLiteral("%1: property type %2 cannot be stored")
                          .arg(QLatin1String(property.name()), QLatin1String(property.typeName())));
    }
}

QVariant FromJson(const QMetaProperty& property, const QJsonValue& value, const QString& where)
{
    auto wrong = [&](const char* expected) -> QVariant {
        throw TiError(QStringLiteral("%1: %2").arg(where, TypeError(expected)));
    };
    if (property.isEnumType()) {
        if (!value.isString())
            return wrong("an enumeration name");
        const QMetaEnum e = property.enumerator();
        bool ok = false;
        const int v = e.keyToValue(value.toString().toLatin1().constData(), &ok);
        if (!ok)
            throw TiError(QStringLiteral("%1: unknown %2 value \"%3\"")
                              .arg(where, QLatin1String(e.enumName()), value.toString()));
        return QVariant(property.metaType(), &v);
    }
    const int type = property.metaType().id();
    if (type == QMetaType::fromType<TiFont>().id())
        return QVariant::fromValue(FontFromJson(value, where));
    switch (type) {
    case QMetaType::Bool:
        return value.isBool() ? QVariant(value.toBool()) : wrong("true or false");
    case QMetaType::Int:
        if (!IsInteger(value))
            return wrong("an integer");
        CheckRange(TiPlotPropertyLimits::Of(property.name()), value.toInt(), where);
        return QVariant(value.toInt());
    case QMetaType::Double:
        if (!value.isDouble())
            return wrong("a number");
        CheckRange(TiPlotPropertyLimits::Of(property.name()), value.toDouble(), where);
        return QVariant(value.toDouble());
    case QMetaType::QString:
        return value.isString() ? QVariant(value.toString()) : wrong("a string");
    case QMetaType::QVariant:
        return value.toVariant();
    default:
        throw TiError(QStringLiteral("%1: property type %2 cannot be restored").arg(where, QLatin1String(property.typeName())));
    }
}

QByteArray Save(TiPlotComponent& plot)
{
    TiPlotMasterManager& master = plot.Master();
    Members top;

    const std::unique_ptr<TiPlotComponent> reference = plot.CreateDefaultInstance();
    Members widget;
    for (const QMetaProperty& p : WidgetProperties(plot)) {
        const QJsonValue value = ToJson(p, p.read(&plot));
        if (value != ToJson(p, p.read(reference.get())))
            widget.emplace_back(QString::fromLatin1(p.name()), Compact(value));
    }
    top.emplace_back(QString::fromLatin1(kPropertiesKey), WriteObject(widget, 4));
    top.emplace_back(QStringLiteral("DataViewZHorz"), QString::number(plot.DataViewZHorz()));
    top.emplace_back(QStringLiteral("DataViewZVert"), QString::number(plot.DataViewZVert()));

    for (const StoredManager& stored : kManagers) {
        TiPlotObjectManagerCustom& manager = master.ManagerOf(stored.kind);
        // An emptied collection is stored too when a new plot would not be
        // empty there, or loading would bring the new plot's objects back.
        if (!manager.DoWriteToStream() && !reference->Master().ManagerOf(stored.kind).DoWriteToStream())
            continue;
        std::vector<QString> items;
        for (TiPlotObject* object : manager.Objects()) {
            const std::unique_ptr<TiPlotObject> fresh = master.CreateObject(stored.kind);
            items.push_back(WriteObject(ObjectMembers(*object, *fresh), 8));
        }
        top.emplace_back(QString::fromLatin1(stored.key), WriteArray(items, 4));
    }
    TiPlotTranslationManager& translations = master.TranslationManager();
    if (translations.GetCount() > 0) {
        std::vector<QString> items;
        for (int i = 0; i < translations.GetCount(); ++i) {
            const auto& [text, replacement] = translations.Item(i);
            items.push_back(WriteObject({{QStringLiteral("Text"), Compact(text)},
                                         {QStringLiteral("Replacement"), Compact(replacement)}},
                                        8));
        }
        top.emplace_back(QString::fromLatin1(kTranslationKey), WriteArray(items, 4));
    }
    return (WriteObject(top, 0) + QLatin1Char('\n')).toUtf8();
}

Prepared Prepare(TiPlotComponent& plot, const QByteArray& document, const QString& name)
{
    if (document.size() > TiPlotPropertyLimits::MaxDocumentBytes)
        throw TiError(QStringLiteral("%1: the plot document is larger than %2 bytes")
                          .arg(name)
                          .arg(TiPlotPropertyLimits::MaxDocumentBytes));
    QJsonParseError error{};
    const QJsonDocument json = QJsonDocument::fromJson(document, &error);
    if (error.error != QJsonParseError::NoError)
        throw TiError(QStringLiteral("%1: line %2: %3").arg(name).arg(LineOf(document, error.offset)).arg(error.errorString()));
    if (!json.isObject())
        Fail(name, QStringLiteral("(document)"), QStringLiteral("expected an object"));
    const QJsonObject top = json.object();

    for (auto it = top.begin(); it != top.end(); ++it) {
        const QString key = it.key();
        bool known = key == QLatin1String(kPropertiesKey) || key == QLatin1String(kTranslationKey)
                     || key == QLatin1String("DataViewZHorz") || key == QLatin1String("DataViewZVert");
        for (const StoredManager& stored : kManagers)
            known = known || key == QLatin1String(stored.key);
        if (!known)
            Fail(name, key, QStringLiteral("unknown manager or property"));
    }

    Prepared prepared;
    if (top.contains(QLatin1String(kPropertiesKey))) {
        const QJsonValue value = top.value(QLatin1String(kPropertiesKey));
        if (!value.isObject())
            Fail(name, QString::fromLatin1(kPropertiesKey), QStringLiteral("expected an object"));
        const QJsonObject properties = value.toObject();
        const auto stored = WidgetProperties(plot);
        for (auto it = properties.begin(); it != properties.end(); ++it) {
            const QString where = QStringLiteral("%1.%2").arg(QLatin1String(kPropertiesKey), it.key());
            const auto p = std::find_if(stored.begin(), stored.end(),
                                        [&](const QMetaProperty& q) { return it.key() == QLatin1String(q.name()); });
            if (p == stored.end())
                Fail(name, where, QStringLiteral("unknown property"));
            try {
                prepared.widgetProperties.emplace_back(*p, FromJson(*p, *it, where));
            } catch (const TiError& e) {
                throw TiError(QStringLiteral("%1: %2").arg(name, e.Message()));
            }
        }
    }
    for (const char* key : {"DataViewZHorz", "DataViewZVert"}) {
        if (!top.contains(QLatin1String(key)))
            continue;
        const QJsonValue value = top.value(QLatin1String(key));
        if (!IsInteger(value))
            Fail(name, QString::fromLatin1(key), TypeError("an integer"));
        try {
            CheckRange(TiPlotPropertyLimits::Of(key), value.toInt(), QString::fromLatin1(key));
        } catch (const TiError& e) {
            throw TiError(QStringLiteral("%1: %2").arg(name, e.Message()));
        }
        (QByteArray(key) == "DataViewZHorz" ? prepared.dataViewZHorz : prepared.dataViewZVert) = value.toInt();
    }

    TiPlotMasterManager& master = plot.Master();
    long long ringPoints = 0;
    for (const StoredManager& stored : kManagers) {
        if (!top.contains(QLatin1String(stored.key)))
            continue;
        const QJsonValue value = top.value(QLatin1String(stored.key));
        if (!value.isArray())
            Fail(name, QString::fromLatin1(stored.key), QStringLiteral("expected an array of objects"));
        std::vector<std::unique_ptr<TiPlotObject>> objects;
        const QJsonArray items = value.toArray();
        for (qsizetype i = 0; i < items.size(); ++i) {
            const QString at = QStringLiteral("%1[%2]").arg(QLatin1String(stored.key)).arg(i);
            if (!items[i].isObject())
                Fail(name, at, QStringLiteral("expected an object"));
            std::unique_ptr<TiPlotObject> object = master.CreateObject(stored.kind);
            const QMetaObject* meta = object->GadgetMetaObject();
            const QJsonObject properties = items[i].toObject();
            for (auto it = properties.begin(); it != properties.end(); ++it) {
                QString key = it.key();
                const QString where = at + QLatin1Char('.') + key;
                // An older stored form names the axis span "Span_2".
                if ((stored.kind == TiPlotKind::XAxis || stored.kind == TiPlotKind::YAxis) && key == QLatin1String("Span_2"))
                    key = QStringLiteral("Span");
                const int index = meta->indexOfProperty(key.toLatin1().constData());
                if (index < 0 || !meta->property(index).isWritable())
                    Fail(name, where, QStringLiteral("unknown property"));
                const QMetaProperty p = meta->property(index);
                QVariant v;
                try {
                    v = FromJson(p, *it, where);
                } catch (const TiError& e) {
                    throw TiError(QStringLiteral("%1: %2").arg(name, e.Message()));
                }
                // Ring buffers are allocated as they are read.
                if (key == QLatin1String("RingBufferSize")) {
                    ringPoints += v.toInt();
                    if (ringPoints > TiPlotPropertyLimits::MaxRingBufferPoints)
                        Fail(name, where,
                             QStringLiteral("the ring buffers together exceed %1 points")
                                 .arg(TiPlotPropertyLimits::MaxRingBufferPoints));
                }
                p.writeOnGadget(object.get(), v);
            }
            objects.push_back(std::move(object));
        }
        prepared.managers.emplace_back(stored.kind, std::move(objects));
    }

    if (top.contains(QLatin1String(kTranslationKey))) {
        const QJsonValue value = top.value(QLatin1String(kTranslationKey));
        if (!value.isArray())
            Fail(name, QString::fromLatin1(kTranslationKey), QStringLiteral("expected an array of objects"));
        std::vector<std::pair<QString, QString>> pairs;
        const QJsonArray items = value.toArray();
        for (qsizetype i = 0; i < items.size(); ++i) {
            const QString at = QStringLiteral("%1[%2]").arg(QLatin1String(kTranslationKey)).arg(i);
            if (!items[i].isObject())
                Fail(name, at, QStringLiteral("expected an object"));
            const QJsonObject item = items[i].toObject();
            for (auto it = item.begin(); it != item.end(); ++it) {
                if (it.key() != QLatin1String("Text") && it.key() != QLatin1String("Replacement"))
                    Fail(name, at + QLatin1Char('.') + it.key(), QStringLiteral("unknown property"));
                if (!it->isString())
                    Fail(name, at + QLatin1Char('.') + it.key(), TypeError("a string"));
            }
            pairs.emplace_back(item.value(QLatin1String("Text")).toString(), item.value(QLatin1String("Replacement")).toString());
        }
        prepared.translations = std::move(pairs);
    }
    return prepared;
}

void Apply(TiPlotComponent& plot, Prepared prepared)
{
    TiPlotMasterManager& master = plot.Master();
    for (const auto& [property, value] : prepared.widgetProperties)
        property.write(&plot, value);
    if (prepared.dataViewZHorz)
        plot.SetDataViewZHorz(*prepared.dataViewZHorz);
    if (prepared.dataViewZVert)
        plot.SetDataViewZVert(*prepared.dataViewZVert);
    for (auto& [kind, objects] : prepared.managers) {
        master.ClearManager(kind);
        for (auto& object : objects)
            master.Adopt(std::move(object));
    }
    if (prepared.translations) {
        master.TranslationManager().Clear();
        for (const auto& [text, replacement] : *prepared.translations)
            master.AddTranslation(text, replacement);
    }
    // A toolbar and the title in the same band: the toolbar moves out by one.
    if (plot.ToolBarCount() > 0 && plot.LabelCount() > 0) {
        TiPlotToolBar* toolBar = plot.GetToolBar(0);
        TiPlotLabel* label = plot.GetLabel(0);
        if (toolBar->Horizontal() == label->Horizontal() && toolBar->ZOrder() == label->ZOrder())
            toolBar->SetZOrder(toolBar->ZOrder() + 1);
    }
}

} // namespace TiPlotStorage
