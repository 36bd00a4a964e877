#pragma once

#include "widgets/TiCustomComponent.h"
#include "widgets/TiLabelTypes.h"

#include <QPointer>

class QShortcut;

// A painted caption with an optional shadow and frame; it sizes itself to
// its caption unless AutoSize is off.
class TiLabel : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TiFont Font READ Font WRITE SetFont)
    Q_PROPERTY(TiEnums::TiAlignmentHorizontal Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(TiLabelEnums::TiLabelBorderStyle BorderStyle READ LabelBorderStyle WRITE SetLabelBorderStyle)
    Q_PROPERTY(int OuterMarginLeft READ OuterMarginLeft WRITE SetOuterMarginLeft)
    Q_PROPERTY(int OuterMarginTop READ OuterMarginTop WRITE SetOuterMarginTop)
    Q_PROPERTY(int OuterMarginRight READ OuterMarginRight WRITE SetOuterMarginRight)
    Q_PROPERTY(int OuterMarginBottom READ OuterMarginBottom WRITE SetOuterMarginBottom)
    Q_PROPERTY(bool ShadowShow READ ShadowShow WRITE SetShadowShow)
    Q_PROPERTY(int ShadowXOffset READ ShadowXOffset WRITE SetShadowXOffset)
    Q_PROPERTY(int ShadowYOffset READ ShadowYOffset WRITE SetShadowYOffset)
    Q_PROPERTY(int ShadowColor READ ShadowColor WRITE SetShadowColor)
    Q_PROPERTY(QWidget* FocusControl READ FocusControl WRITE SetFocusControl)

public:
    explicit TiLabel(QWidget* parent = nullptr);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString& value);
    TiFont Font() const { return m_font; }
    void SetFont(const TiFont& value);
    TiAlignmentHorizontal Alignment() const { return m_alignment; }
    void SetAlignment(TiAlignmentHorizontal value);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    TiLabelBorderStyle LabelBorderStyle() const { return m_labelBorderStyle; }
    void SetLabelBorderStyle(TiLabelBorderStyle value);
    int OuterMarginLeft() const { return m_outerMarginLeft; }
    void SetOuterMarginLeft(int value);
    int OuterMarginTop() const { return m_outerMarginTop; }
    void SetOuterMarginTop(int value);
    int OuterMarginRight() const { return m_outerMarginRight; }
    void SetOuterMarginRight(int value);
    int OuterMarginBottom() const { return m_outerMarginBottom; }
    void SetOuterMarginBottom(int value);
    bool ShadowShow() const { return m_shadowShow; }
    void SetShadowShow(bool value);
    int ShadowXOffset() const { return m_shadowXOffset; }
    void SetShadowXOffset(int value);
    int ShadowYOffset() const { return m_shadowYOffset; }
    void SetShadowYOffset(int value);
    TColor ShadowColor() const { return m_shadowColor; }
    void SetShadowColor(TColor value);
    QWidget* FocusControl() const { return m_focusControl; }
    void SetFocusControl(QWidget* value);

    // Pixel margin of the frame style.
    static int FrameMargin(TiLabelBorderStyle style);

    void Loaded() override;

protected:
    void iPaintTo(TiCanvas& canvas) override;

private:
    void ApplyAutoSize();
    void UpdateAccelerator();
    unsigned TextFlags() const;
    bool SetMarginProperty(int value, int& field);

    QString m_caption = QStringLiteral("iLabel");
    TiFont m_font;
    TiAlignmentHorizontal m_alignment = iahLeft;
    bool m_autoSize = true;
    TiLabelBorderStyle m_labelBorderStyle = ilbsNone;
    int m_outerMarginLeft = 0;
    int m_outerMarginTop = 0;
    int m_outerMarginRight = 0;
    int m_outerMarginBottom = 0;
    bool m_shadowShow = false;
    int m_shadowXOffset = 1;
    int m_shadowYOffset = 1;
    TColor m_shadowColor = clGray;
    QPointer<QWidget> m_focusControl;
    QShortcut* m_shortcut = nullptr;
    bool m_autoSizing = false;
};
