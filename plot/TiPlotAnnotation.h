#pragma once

#include "plot/TiPlotObject.h"
#include "widgets/TiCanvas.h"

// A text or shape drawn over the data view. New annotations take the
// widget's annotation defaults.
class TiPlotAnnotation : public TiPlotObject {
    Q_GADGET
    Q_PROPERTY(TiFont Font READ Font WRITE SetFont)
    Q_PROPERTY(int BrushStyle READ BrushStyle WRITE SetBrushStyle)
    Q_PROPERTY(int BrushColor READ BrushColor WRITE SetBrushColor)
    Q_PROPERTY(int PenStyle READ PenStyle WRITE SetPenStyle)
    Q_PROPERTY(int PenColor READ PenColor WRITE SetPenColor)
    Q_PROPERTY(int PenWidth READ PenWidth WRITE SetPenWidth)
    TI_PLOT_GADGET_META

public:
    using TiPlotObject::TiPlotObject;
    TiPlotKind Kind() const override { return TiPlotKind::Annotation; }

    TiFont Font() const { return m_font; }
    void SetFont(const TiFont& value) { SetChanging(m_font, value); }
    int BrushStyle() const { return m_brushStyle; }
    void SetBrushStyle(int value) { SetChanging(m_brushStyle, value); }
    TColor BrushColor() const { return m_brushColor; }
    void SetBrushColor(TColor value) { SetChanging(m_brushColor, value); }
    int PenStyle() const { return m_penStyle; }
    void SetPenStyle(int value) { SetChanging(m_penStyle, value); }
    TColor PenColor() const { return m_penColor; }
    void SetPenColor(TColor value) { SetChanging(m_penColor, value); }
    int PenWidth() const { return m_penWidth; }
    void SetPenWidth(int value) { SetChanging(m_penWidth, value); }

private:
    TiFont m_font{QStringLiteral("MS Sans Serif"), -11, clWhite};
    int m_brushStyle = bsSolid;
    TColor m_brushColor = clWhite;
    int m_penStyle = psSolid;
    TColor m_penColor = clWhite;
    int m_penWidth = 1;
};
