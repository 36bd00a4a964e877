#pragma once

#include "widgets/TiLedBarTypes.h"
#include "widgets/TiProgressComponent.h"

// A row of lamps lit in proportion to the position, coloured by up to three
// sections; unlit lamps show the dimmed section colour.
class TiLedBar : public TiProgressComponent {
    Q_OBJECT
    Q_PROPERTY(TiLedBarEnums::TiDirection SegmentDirection READ SegmentDirection WRITE SetSegmentDirection)
    Q_PROPERTY(int SegmentSize READ SegmentSize WRITE SetSegmentSize)
    Q_PROPERTY(int SegmentSpacing READ SegmentSpacing WRITE SetSegmentSpacing)
    Q_PROPERTY(int SegmentMargin READ SegmentMargin WRITE SetSegmentMargin)
    Q_PROPERTY(TiLedBarEnums::TiLedBarSegmentStyle SegmentStyle READ SegmentStyle WRITE SetSegmentStyle)

public:
    explicit TiLedBar(QWidget* parent = nullptr);

    TiDirection SegmentDirection() const { return m_direction; }
    void SetSegmentDirection(TiDirection value);
    int SegmentSize() const { return m_segmentSize; }
    void SetSegmentSize(int value);
    int SegmentSpacing() const { return m_segmentSpacing; }
    void SetSegmentSpacing(int value);
    int SegmentMargin() const { return m_segmentMargin; }
    void SetSegmentMargin(int value);
    TiLedBarSegmentStyle SegmentStyle() const { return m_segmentStyle; }
    void SetSegmentStyle(TiLedBarSegmentStyle value);

    // Segments that fit and segments lit now.
    int SegmentCount() const;
    int LitCount() const;
    // Rectangle of segment i (right and bottom exclusive).
    TiRect SegmentRect(int index) const;
    // Colour segment i shows now.
    TColor SegmentColor(int index) const;

protected:
    void iPaintTo(TiCanvas& canvas) override;

private:
    TiRect WorkingRect() const;
    // Bright colour of the section segment i belongs to.
    TColor SectionColorOf(int index) const;
    bool Vertical() const { return m_direction == idUp || m_direction == idDown; }

    TiDirection m_direction = idUp;
    int m_segmentSize = 5;
    int m_segmentSpacing = 2;
    int m_segmentMargin = 2;
    TiLedBarSegmentStyle m_segmentStyle = ilbssRectangle;
};
