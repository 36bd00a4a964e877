#pragma once

#include "plot/TiPlotObject.h"
#include "plot/TiPlotTypes.h"
#include "widgets/TiCanvas.h"

#include <QImage>
#include <QSize>

// A text drawn over the data view in a box (brush and pen), its top left
// corner at (X, Y): values of the named axes, or percent of the data view
// from its left and top edges. New annotations take the widget's
// annotation defaults.
class TiPlotAnnotation : public TiPlotObject {
    Q_GADGET
    Q_PROPERTY(TiFont Font READ Font WRITE SetFont)
    Q_PROPERTY(int BrushStyle READ BrushStyle WRITE SetBrushStyle)
    Q_PROPERTY(int BrushColor READ BrushColor WRITE SetBrushColor)
    Q_PROPERTY(int PenStyle READ PenStyle WRITE SetPenStyle)
    Q_PROPERTY(int PenColor READ PenColor WRITE SetPenColor)
    Q_PROPERTY(int PenWidth READ PenWidth WRITE SetPenWidth)
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(double X READ X WRITE SetX)
    Q_PROPERTY(double Y READ Y WRITE SetY)
    Q_PROPERTY(TiPlotEnums::TiPlotUnitReference XReference READ XReference WRITE SetXReference)
    Q_PROPERTY(TiPlotEnums::TiPlotUnitReference YReference READ YReference WRITE SetYReference)
    Q_PROPERTY(QString XAxisName READ XAxisName WRITE SetXAxisName)
    Q_PROPERTY(QString YAxisName READ YAxisName WRITE SetYAxisName)
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
    QString Text() const { return m_text; }
    void SetText(const QString& value) { SetChanging(m_text, value); }
    double X() const { return m_x; }
    void SetX(double value) { SetChanging(m_x, value); }
    double Y() const { return m_y; }
    void SetY(double value) { SetChanging(m_y, value); }
    TiPlotUnitReference XReference() const { return m_xReference; }
    void SetXReference(TiPlotUnitReference value) { SetChanging(m_xReference, value); }
    TiPlotUnitReference YReference() const { return m_yReference; }
    void SetYReference(TiPlotUnitReference value) { SetChanging(m_yReference, value); }
    QString XAxisName() const { return m_xAxisName; }
    void SetXAxisName(const QString& value) { SetChanging(m_xAxisName, value); }
    QString YAxisName() const { return m_yAxisName; }
    void SetYAxisName(const QString& value) { SetChanging(m_yAxisName, value); }

    // The text's width and height in its font (unturned), measured on
    // `canvas` once and again only when the text or the font changes: a
    // paint of hundreds of marks does not lay their texts out every time.
    QSize TextSize(TiCanvas& canvas) const
    {
        TiFont font = m_font;
        font.Orientation = 0;
        if (!m_measured || !(m_measuredFont == font) || m_measuredText != m_text) {
            canvas.Font = font;
            m_measuredSize = QSize(canvas.TextWidth(m_text), canvas.TextHeight(m_text));
            m_measuredFont = font;
            m_measuredText = m_text;
            m_measured = true;
        }
        return m_measuredSize;
    }

    // The box with its text as drawn into an image of `canvas`'s kind by
    // `paint` (given a canvas on the image), kept while the text, font,
    // colours, pen and size stay: copying it costs far less than laying the
    // text out again. A null image where the canvas takes no such copy.
    template <typename Paint> const QImage& Picture(TiCanvas& canvas, QSize size, const Paint& paint) const
    {
        const PictureKey key{m_font, m_text, m_brushStyle, m_brushColor, m_penStyle, m_penColor, m_penWidth, size};
        if (!(m_pictureKey == key) || !canvas.IsCompatible(m_picture)) {
            m_picture = canvas.CompatibleImage(size.width(), size.height());
            m_pictureKey = key;
            if (!m_picture.isNull()) {
                TiCanvas on(m_picture);
                paint(on);
            }
        }
        return m_picture;
    }

private:
    struct PictureKey {
        TiFont Font;
        QString Text;
        int BrushStyle = 0;
        TColor BrushColor = 0;
        int PenStyle = 0;
        TColor PenColor = 0;
        int PenWidth = 0;
        QSize Size;
        friend bool operator==(const PictureKey&, const PictureKey&) = default;
    };

    TiFont m_font{QStringLiteral("MS Sans Serif"), -11, clWhite};
    int m_brushStyle = bsSolid;
    TColor m_brushColor = clWhite;
    int m_penStyle = psSolid;
    TColor m_penColor = clWhite;
    int m_penWidth = 1;
    QString m_text;
    double m_x = 0;
    double m_y = 0;
    TiPlotUnitReference m_xReference = ipurPercent;
    TiPlotUnitReference m_yReference = ipurPercent;
    QString m_xAxisName;
    QString m_yAxisName;
    mutable bool m_measured = false;
    mutable TiFont m_measuredFont;
    mutable QString m_measuredText;
    mutable QSize m_measuredSize;
    mutable PictureKey m_pictureKey;
    mutable QImage m_picture;
};
