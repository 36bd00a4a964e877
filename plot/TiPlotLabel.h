#pragma once

#include "plot/TiPlotLayoutObject.h"
#include "widgets/TiTypes.h"

// A text band; label 0 is the plot's title.
class TiPlotLabel : public TiPlotLayoutObject {
    Q_GADGET
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TiFont Font READ Font WRITE SetFont)
    Q_PROPERTY(TiEnums::TiAlignmentHorizontal Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(double MarginLeft READ MarginLeft WRITE SetMarginLeft)
    Q_PROPERTY(double MarginTop READ MarginTop WRITE SetMarginTop)
    Q_PROPERTY(double MarginRight READ MarginRight WRITE SetMarginRight)
    Q_PROPERTY(double MarginBottom READ MarginBottom WRITE SetMarginBottom)
    TI_PLOT_GADGET_META

public:
    TiPlotLabel(TiPlotComponent* owner, const TiPlotObjectHooks& hooks) : TiPlotLayoutObject(owner, hooks)
    {
        StoreHorizontal(true);
    }
    TiPlotKind Kind() const override { return TiPlotKind::Label; }

    QString Caption() const { return m_caption; }
    void SetCaption(const QString& value) { SetChanging(m_caption, value); }
    TiFont Font() const { return m_font; }
    void SetFont(const TiFont& value) { SetChanging(m_font, value); }
    TiAlignmentHorizontal Alignment() const { return m_alignment; }
    void SetAlignment(TiAlignmentHorizontal value) { SetChanging(m_alignment, value); }
    double MarginLeft() const { return m_marginLeft; }
    void SetMarginLeft(double value) { SetChanging(m_marginLeft, value); }
    double MarginTop() const { return m_marginTop; }
    void SetMarginTop(double value) { SetChanging(m_marginTop, value); }
    double MarginRight() const { return m_marginRight; }
    void SetMarginRight(double value) { SetChanging(m_marginRight, value); }
    double MarginBottom() const { return m_marginBottom; }
    void SetMarginBottom(double value) { SetChanging(m_marginBottom, value); }

private:
    QString m_caption;
    TiFont m_font{QStringLiteral("Arial"), -19, clWhite, fsBold};
    TiAlignmentHorizontal m_alignment = iahCenter;
    double m_marginLeft = 0;
    double m_marginTop = 0;
    double m_marginRight = 0;
    double m_marginBottom = 0;
};
