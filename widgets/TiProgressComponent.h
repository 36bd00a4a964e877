#pragma once

#include "widgets/TiPositionComponent.h"

// Position widget with up to three coloured sections drawn in the moving
// layer (bar-type displays), so section changes repaint the foreground only.
class TiProgressComponent : public TiPositionComponent {
    Q_OBJECT
    Q_PROPERTY(int SectionCount READ SectionCount WRITE SetSectionCount)
    Q_PROPERTY(double SectionEnd1 READ SectionEnd1 WRITE SetSectionEnd1)
    Q_PROPERTY(double SectionEnd2 READ SectionEnd2 WRITE SetSectionEnd2)
    Q_PROPERTY(int SectionColor1 READ SectionColor1 WRITE SetSectionColor1)
    Q_PROPERTY(int SectionColor2 READ SectionColor2 WRITE SetSectionColor2)
    Q_PROPERTY(int SectionColor3 READ SectionColor3 WRITE SetSectionColor3)
    Q_PROPERTY(bool ShowOffSegments READ ShowOffSegments WRITE SetShowOffSegments)
    // Stored entries read back after the published ones: straight into the fields.
    Q_PROPERTY(double SectionEnd1_2 READ SectionEnd1 WRITE SetSectionEnd1_2)
    Q_PROPERTY(double SectionEnd2_2 READ SectionEnd2 WRITE SetSectionEnd2_2)

public:
    explicit TiProgressComponent(QWidget* parent = nullptr);

    int SectionCount() const { return m_sectionCount; }
    // Only 1..3 is accepted; other values are ignored.
    void SetSectionCount(int value);
    double SectionEnd1() const { return m_sectionEnd1; }
    void SetSectionEnd1(double value);
    double SectionEnd2() const { return m_sectionEnd2; }
    void SetSectionEnd2(double value);
    void SetSectionEnd1_2(double value) { m_sectionEnd1 = value; }
    void SetSectionEnd2_2(double value) { m_sectionEnd2 = value; }
    TColor SectionColor1() const { return m_sectionColor1; }
    void SetSectionColor1(TColor value);
    TColor SectionColor2() const { return m_sectionColor2; }
    void SetSectionColor2(TColor value);
    TColor SectionColor3() const { return m_sectionColor3; }
    void SetSectionColor3(TColor value);
    bool ShowOffSegments() const { return m_showOffSegments; }
    void SetShowOffSegments(bool value);

private:
    int m_sectionCount = 1;
    double m_sectionEnd1 = 50;
    double m_sectionEnd2 = 75;
    TColor m_sectionColor1 = clLime;
    TColor m_sectionColor2 = clYellow;
    TColor m_sectionColor3 = clRed;
    bool m_showOffSegments = true;
};
