#include "widgets/TiGaugeComponent.h"

#include "widgets/TiError.h"

#include <QVariantMap>

TiGaugeComponent::TiGaugeComponent(QWidget* parent) : TiScaleComponent(parent)
{
    m_pointers.push_back(NewPointer());
}

TiGaugeComponent::~TiGaugeComponent() = default;

std::unique_ptr<TiGaugePointer> TiGaugeComponent::NewPointer()
{
    return std::make_unique<TiGaugePointer>([this] { InvalidateChange(); });
}

void TiGaugeComponent::InitializePointer(TiGaugePointer&) {}

double TiGaugeComponent::GetPosition() const { return m_pointers.front()->Position(); }

void TiGaugeComponent::SetPosition(double value)
{
    TiGaugePointer& main = *m_pointers.front();
    if (Loading()) {
        main.StorePosition(value);
        return;
    }
    const double clamped = ClampToBounds(value);
    if (clamped == main.Position())
        return;
    main.SetPosition(clamped);
    TrackMinMax(clamped);
    // Limits judge the value asked for, before clamping.
    CheckLimits(value);
    iPositionChanged();
    FirePositionChange();
}

void TiGaugeComponent::DoPointerBounds()
{
    if (Loading())
        return;
    bool moved = false;
    for (const auto& pointer : m_pointers) {
        const double clamped = ClampToBounds(pointer->Position());
        if (clamped != pointer->Position()) {
            pointer->StorePosition(clamped);
            moved = true;
        }
    }
    if (moved)
        InvalidateChange();
}

void TiGaugeComponent::CheckPointerIndex(int index) const
{
    if (index < 0 || index >= GetPointerCount())
        throw TiError(QStringLiteral("Index out of Bounds"));
}

TiGaugePointer& TiGaugeComponent::Pointers(int index)
{
    CheckPointerIndex(index);
    return *m_pointers[static_cast<std::size_t>(index)];
}

const TiGaugePointer& TiGaugeComponent::Pointers(int index) const
{
    CheckPointerIndex(index);
    return *m_pointers[static_cast<std::size_t>(index)];
}

int TiGaugeComponent::AddPointer()
{
    m_pointers.push_back(NewPointer());
    InitializePointer(*m_pointers.back());
    InvalidateChange();
    return GetPointerCount() - 1;
}

void TiGaugeComponent::DeletePointer(int index)
{
    if (index == 0)
        throw TiError(QStringLiteral("Pointer Index 0 can not be Deleted"));
    CheckPointerIndex(index);
    m_pointers.erase(m_pointers.begin() + index);
    InvalidateChange();
}

void TiGaugeComponent::RemoveAllPointers()
{
    if (m_pointers.size() <= 1)
        return;
    m_pointers.resize(1);
    InvalidateChange();
}

void TiGaugeComponent::SetPointersPosition(int index, double value)
{
    Pointers(index).SetPosition(value);
    TrackMinMax(value);
}

QVariantList TiGaugeComponent::StoredPointers() const
{
    QVariantList items;
    for (const auto& p : m_pointers) {
        QVariantMap item;
        item.insert(QStringLiteral("Size"), p->Size());
        item.insert(QStringLiteral("Margin"), p->Margin());
        item.insert(QStringLiteral("Color"), p->Color());
        item.insert(QStringLiteral("Style"), p->Style());
        item.insert(QStringLiteral("Position"), p->Position());
        item.insert(QStringLiteral("Visible"), p->Visible());
        item.insert(QStringLiteral("DrawScaleSide"), p->DrawScaleSide());
        items.append(item);
    }
    return items;
}

void TiGaugeComponent::SetStoredPointers(const QVariantList& items)
{
    m_pointers.clear();
    for (const QVariant& entry : items) {
        const QVariantMap item = entry.toMap();
        auto pointer = NewPointer();
        const TiGaugePointer defaults({});
        pointer->SetSize(item.value(QStringLiteral("Size"), defaults.Size()).toInt());
        pointer->SetMargin(item.value(QStringLiteral("Margin"), defaults.Margin()).toInt());
        pointer->SetColor(item.value(QStringLiteral("Color"), defaults.Color()).toInt());
        pointer->SetStyle(item.value(QStringLiteral("Style"), defaults.Style()).toInt());
        pointer->StorePosition(item.value(QStringLiteral("Position"), defaults.Position()).toDouble());
        pointer->SetVisible(item.value(QStringLiteral("Visible"), defaults.Visible()).toBool());
        pointer->SetDrawScaleSide(item.value(QStringLiteral("DrawScaleSide"), defaults.DrawScaleSide()).toBool());
        m_pointers.push_back(std::move(pointer));
    }
    // The position lives in pointer 0: the list is never empty.
    if (m_pointers.empty())
        m_pointers.push_back(NewPointer());
    InvalidateChange();
}

void TiGaugeComponent::SetSectionCount(int value)
{
    if (value == m_sectionCount)
        return;
    m_sectionCount = std::clamp(value, 0, 5);
    BackGroundChange();
}

TColor TiGaugeComponent::SectionColor(int k) const
{
    return m_sectionColor[std::clamp(k, 1, 5) - 1];
}

double TiGaugeComponent::SectionEnd(int k) const
{
    if (k >= 5)
        return PositionMax();
    return m_sectionEnd[std::clamp(k, 1, 4) - 1];
}
