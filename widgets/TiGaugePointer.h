#pragma once

#include "widgets/TiColor.h"

#include <QPolygon>
#include <functional>

// One pointer of a gauge. Every setter stores only a changed value and then
// tells the owning gauge, which repaints its moving layer.
class TiGaugePointer {
public:
    explicit TiGaugePointer(std::function<void()> changed) : m_changed(std::move(changed)) {}

    int Size() const { return m_size; }
    void SetSize(int value) { set(m_size, value); }
    int Margin() const { return m_margin; }
    void SetMargin(int value) { set(m_margin, value); }
    TColor Color() const { return m_color; }
    void SetColor(TColor value) { set(m_color, value); }
    // Shape; the drawing widget gives the number its meaning.
    int Style() const { return m_style; }
    void SetStyle(int value) { set(m_style, value); }
    double Position() const { return m_position; }
    void SetPosition(double value) { set(m_position, value); }
    bool Visible() const { return m_visible; }
    void SetVisible(bool value) { set(m_visible, value); }
    bool DrawScaleSide() const { return m_drawScaleSide; }
    void SetDrawScaleSide(bool value) { set(m_drawScaleSide, value); }

    // Stores a position without telling the gauge (loading, bound moves).
    void StorePosition(double value) { m_position = value; }

    // The shape last drawn, for mouse hit-tests, and whether a press hit it.
    QPolygon Region;
    bool Pressed = false;

private:
    template <typename T>
    void set(T& field, T value)
    {
        if (field == value)
            return;
        field = value;
        if (m_changed)
            m_changed();
    }

    std::function<void()> m_changed;
    int m_size = 10;
    int m_margin = 0;
    TColor m_color = clBlack;
    int m_style = 3;
    double m_position = 0;
    bool m_visible = true;
    bool m_drawScaleSide = false;
};
