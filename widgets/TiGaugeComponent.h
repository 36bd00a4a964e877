#pragma once

#include "widgets/TiGaugePointer.h"
#include "widgets/TiScaleComponent.h"

#include <QVariantList>
#include <memory>
#include <vector>

// A scale widget whose position lives in a list of pointers (pointer 0
// carries Position) and whose scale carries up to five coloured sections.
class TiGaugeComponent : public TiScaleComponent {
    Q_OBJECT
    Q_PROPERTY(int SectionCount READ SectionCount WRITE SetSectionCount)
    Q_PROPERTY(double SectionEnd1 READ SectionEnd1 WRITE SetSectionEnd1)
    Q_PROPERTY(double SectionEnd2 READ SectionEnd2 WRITE SetSectionEnd2)
    Q_PROPERTY(double SectionEnd3 READ SectionEnd3 WRITE SetSectionEnd3)
    Q_PROPERTY(double SectionEnd4 READ SectionEnd4 WRITE SetSectionEnd4)
    Q_PROPERTY(int SectionColor1 READ SectionColor1 WRITE SetSectionColor1)
    Q_PROPERTY(int SectionColor2 READ SectionColor2 WRITE SetSectionColor2)
    Q_PROPERTY(int SectionColor3 READ SectionColor3 WRITE SetSectionColor3)
    Q_PROPERTY(int SectionColor4 READ SectionColor4 WRITE SetSectionColor4)
    Q_PROPERTY(int SectionColor5 READ SectionColor5 WRITE SetSectionColor5)
    // Stored entries read back after the published ones.
    Q_PROPERTY(double SectionEnd1_2 READ SectionEnd1 WRITE SetSectionEnd1_2)
    Q_PROPERTY(double SectionEnd2_2 READ SectionEnd2 WRITE SetSectionEnd2_2)
    // The pointer list: one map per pointer with the keys Size, Margin,
    // Color, Style, Position, Visible, DrawScaleSide.
    Q_PROPERTY(QVariantList Pointers READ StoredPointers WRITE SetStoredPointers)

public:
    explicit TiGaugeComponent(QWidget* parent = nullptr);
    ~TiGaugeComponent() override;

    double GetPosition() const override;
    void SetPosition(double value) override;

    // --- pointers; an index outside the list raises "Index out of Bounds"
    int AddPointer();
    // Pointer 0 carries the position: "Pointer Index 0 can not be Deleted".
    void DeletePointer(int index);
    // Deletes all but pointer 0.
    void RemoveAllPointers();
    int GetPointerCount() const { return static_cast<int>(m_pointers.size()); }
    TiGaugePointer& Pointers(int index);
    const TiGaugePointer& Pointers(int index) const;
    double GetPointersPosition(int index) const { return Pointers(index).Position(); }
    // Stores the value in pointer `index` unclamped; the min/max markers follow.
    void SetPointersPosition(int index, double value);
    bool GetPointersVisible(int index) const { return Pointers(index).Visible(); }
    void SetPointersVisible(int index, bool value) { Pointers(index).SetVisible(value); }
    int GetPointersSize(int index) const { return Pointers(index).Size(); }
    void SetPointersSize(int index, int value) { Pointers(index).SetSize(value); }
    TColor GetPointersColor(int index) const { return Pointers(index).Color(); }
    void SetPointersColor(int index, TColor value) { Pointers(index).SetColor(value); }

    QVariantList StoredPointers() const;
    void SetStoredPointers(const QVariantList& items);

    // --- sections
    int SectionCount() const { return m_sectionCount; }
    void SetSectionCount(int value);
    double SectionEnd1() const { return m_sectionEnd[0]; }
    double SectionEnd2() const { return m_sectionEnd[1]; }
    double SectionEnd3() const { return m_sectionEnd[2]; }
    double SectionEnd4() const { return m_sectionEnd[3]; }
    void SetSectionEnd1(double value) { SetProperty(value, m_sectionEnd[0], irtBackGround); }
    void SetSectionEnd2(double value) { SetProperty(value, m_sectionEnd[1], irtBackGround); }
    void SetSectionEnd3(double value) { SetProperty(value, m_sectionEnd[2], irtBackGround); }
    void SetSectionEnd4(double value) { SetProperty(value, m_sectionEnd[3], irtBackGround); }
    void SetSectionEnd1_2(double value) { m_sectionEnd[0] = value; }
    void SetSectionEnd2_2(double value) { m_sectionEnd[1] = value; }
    TColor SectionColor1() const { return m_sectionColor[0]; }
    TColor SectionColor2() const { return m_sectionColor[1]; }
    TColor SectionColor3() const { return m_sectionColor[2]; }
    TColor SectionColor4() const { return m_sectionColor[3]; }
    TColor SectionColor5() const { return m_sectionColor[4]; }
    void SetSectionColor1(TColor value) { SetProperty(value, m_sectionColor[0], irtBackGround); }
    void SetSectionColor2(TColor value) { SetProperty(value, m_sectionColor[1], irtBackGround); }
    void SetSectionColor3(TColor value) { SetProperty(value, m_sectionColor[2], irtBackGround); }
    void SetSectionColor4(TColor value) { SetProperty(value, m_sectionColor[3], irtBackGround); }
    void SetSectionColor5(TColor value) { SetProperty(value, m_sectionColor[4], irtBackGround); }
    // Section k (1..5): its colour and its end (PositionMax for k = 5).
    TColor SectionColor(int k) const;
    double SectionEnd(int k) const;

signals:
    // A visible pointer was pressed and released inside its shape.
    void OnClickPointer(int Index);

protected:
    // Called for each pointer added after construction.
    virtual void InitializePointer(TiGaugePointer& pointer);
    // Pointers outside new bounds move straight to the nearer bound, silently.
    void DoPointerBounds() override;

private:
    std::unique_ptr<TiGaugePointer> NewPointer();
    void CheckPointerIndex(int index) const;

    std::vector<std::unique_ptr<TiGaugePointer>> m_pointers;
    int m_sectionCount = 0;
    double m_sectionEnd[4] = {50, 75, 0, 0};
    TColor m_sectionColor[5] = {clGreen, clYellow, clRed, clYellow, clYellow};
};
