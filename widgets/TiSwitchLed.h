#pragma once

#include "widgets/TiCustomComponent.h"
#include "widgets/TiSwitchTypes.h"

class QShortcut;

// A push button with a caption and a small lamp; a click toggles the lamp
// after OnClick has run.
class TiSwitchLed : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(int ActiveColor READ ActiveColor WRITE SetActiveColor)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TiFont CaptionFont READ CaptionFont WRITE SetCaptionFont)
    Q_PROPERTY(int CaptionMargin READ CaptionMargin WRITE SetCaptionMargin)
    Q_PROPERTY(TiSwitchEnums::TiSwitchLedCaptionAlignment CaptionAlignment READ CaptionAlignment WRITE SetCaptionAlignment)
    Q_PROPERTY(TiSwitchEnums::TiSideAlignment IndicatorAlignment READ IndicatorAlignment WRITE SetIndicatorAlignment)
    Q_PROPERTY(int IndicatorWidth READ IndicatorWidth WRITE SetIndicatorWidth)
    Q_PROPERTY(int IndicatorHeight READ IndicatorHeight WRITE SetIndicatorHeight)
    Q_PROPERTY(int IndicatorMargin READ IndicatorMargin WRITE SetIndicatorMargin)
    Q_PROPERTY(bool AutoLedSize READ AutoLedSize WRITE SetAutoLedSize)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_PROPERTY(int BorderSize READ BorderSize WRITE SetBorderSize)
    Q_PROPERTY(int BorderHighlightColor READ BorderHighlightColor WRITE SetBorderHighlightColor)
    Q_PROPERTY(int BorderShadowColor READ BorderShadowColor WRITE SetBorderShadowColor)
    Q_PROPERTY(bool ShowFocusRect READ ShowFocusRect WRITE SetShowFocusRect)
    Q_PROPERTY(QImage Glyph READ Glyph WRITE SetGlyph)
    // Stored entry read back after the published ones: straight into the caption.
    Q_PROPERTY(QString Caption_2 READ Caption WRITE ReadCaption2)

public:
    explicit TiSwitchLed(QWidget* parent = nullptr);

    bool Active() const { return m_active; }
    void SetActive(bool value);
    void SetActiveNoEvent(bool value);
    TColor ActiveColor() const { return m_activeColor; }
    void SetActiveColor(TColor value);
    QString Caption() const { return m_caption; }
    void SetCaption(const QString& value);
    TiFont CaptionFont() const { return m_captionFont; }
    void SetCaptionFont(const TiFont& value);
    int CaptionMargin() const { return m_captionMargin; }
    void SetCaptionMargin(int value);
    TiSwitchLedCaptionAlignment CaptionAlignment() const { return m_captionAlignment; }
    void SetCaptionAlignment(TiSwitchLedCaptionAlignment value);
    TiSideAlignment IndicatorAlignment() const { return m_indicatorAlignment; }
    void SetIndicatorAlignment(TiSideAlignment value);
    int IndicatorWidth() const { return m_indicatorWidth; }
    void SetIndicatorWidth(int value);
    int IndicatorHeight() const { return m_indicatorHeight; }
    void SetIndicatorHeight(int value);
    int IndicatorMargin() const { return m_indicatorMargin; }
    void SetIndicatorMargin(int value);
    bool AutoLedSize() const { return m_autoLedSize; }
    void SetAutoLedSize(bool value);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value);
    int BorderSize() const { return m_borderSize; }
    void SetBorderSize(int value);
    TColor BorderHighlightColor() const { return m_borderHighlightColor; }
    void SetBorderHighlightColor(TColor value);
    TColor BorderShadowColor() const { return m_borderShadowColor; }
    void SetBorderShadowColor(TColor value);
    bool ShowFocusRect() const { return m_showFocusRect; }
    void SetShowFocusRect(bool value);
    QImage Glyph() const { return m_glyph; }
    void SetGlyph(const QImage& value);

    // Stored entry Caption_2: straight into the caption, no repaint or event.
    void ReadCaption2(const QString& value) { m_caption = value; }

    bool Pressed() const { return m_mousePressed || m_spacePressed; }
    // The lamp rectangle of the current layout (before the pressed shift).
    TiRect LampRect() const;

signals:
    void OnChange();
    void OnChangeUser();

protected:
    void iPaintTo(TiCanvas& canvas) override;
    void iMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void iMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void iKeyDown(int& key, TShiftState shift) override;
    void iKeyUp(int& key, TShiftState shift) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ChangeActive(bool value, bool fireEvent);
    void ToggleByUser();
    void UpdateAccelerator();
    TiRect InnerRect() const;
    void DrawFrame(TiCanvas& canvas);

    bool m_active = false;
    TColor m_activeColor = clLime;
    QString m_caption = QStringLiteral("On");
    TiFont m_captionFont;
    int m_captionMargin = 2;
    TiSwitchLedCaptionAlignment m_captionAlignment = islcaIndicator;
    TiSideAlignment m_indicatorAlignment = isaBottom;
    int m_indicatorWidth = 10;
    int m_indicatorHeight = 4;
    int m_indicatorMargin = 5;
    bool m_autoLedSize = true;
    bool m_wordWrap = false;
    int m_borderSize = 2;
    TColor m_borderHighlightColor = clBtnHighlight;
    TColor m_borderShadowColor = clBtnShadow;
    bool m_showFocusRect = true;
    QImage m_glyph;
    bool m_mousePressed = false;
    bool m_spacePressed = false;
    bool m_userChange = false;
    QShortcut* m_shortcut = nullptr;
};
