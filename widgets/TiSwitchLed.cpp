#include "widgets/TiSwitchLed.h"

#include <QKeySequence>
#include <QShortcut>

TiSwitchLed::TiSwitchLed(QWidget* parent) : TiCustomComponent(parent)
{
    SetTabStop(true);
    resize(40, 28);
    UpdateAccelerator();
}

void TiSwitchLed::SetActive(bool value) { ChangeActive(value, true); }
void TiSwitchLed::SetActiveNoEvent(bool value) { ChangeActive(value, false); }

void TiSwitchLed::ChangeActive(bool value, bool fireEvent)
{
    if (value == m_active || !RequestEdit(QStringLiteral("Active")))
        return;
    m_active = value;
    InvalidateChange();
    if (Loading())
        return;
    PropertyChanged(QStringLiteral("Active"));
    if (fireEvent)
        emit OnChange();
    if (m_userChange)
        emit OnChangeUser();
}

void TiSwitchLed::ToggleByUser()
{
    m_userChange = true;
    ChangeActive(!m_active, true);
    m_userChange = false;
}

void TiSwitchLed::SetActiveColor(TColor value) { SetProperty(value, m_activeColor, irtBackGround); }

void TiSwitchLed::SetCaption(const QString& value)
{
    if (SetProperty(value, m_caption, irtBackGround))
        UpdateAccelerator();
}

void TiSwitchLed::SetCaptionFont(const TiFont& value) { SetProperty(value, m_captionFont, irtBackGround); }
void TiSwitchLed::SetCaptionMargin(int value) { SetProperty(value, m_captionMargin, irtBackGround); }

void TiSwitchLed::SetCaptionAlignment(TiSwitchLedCaptionAlignment value) { SetProperty(value, m_captionAlignment, irtBackGround); }

void TiSwitchLed::SetIndicatorAlignment(TiSideAlignment value) { SetProperty(value, m_indicatorAlignment, irtBackGround); }

void TiSwitchLed::SetIndicatorWidth(int value) { SetProperty(value, m_indicatorWidth, irtBackGround); }
void TiSwitchLed::SetIndicatorHeight(int value) { SetProperty(value, m_indicatorHeight, irtBackGround); }
void TiSwitchLed::SetIndicatorMargin(int value) { SetProperty(value, m_indicatorMargin, irtBackGround); }
void TiSwitchLed::SetAutoLedSize(bool value) { SetProperty(value, m_autoLedSize, irtBackGround); }
void TiSwitchLed::SetWordWrap(bool value) { SetProperty(value, m_wordWrap, irtBackGround); }
void TiSwitchLed::SetBorderSize(int value) { SetProperty(value, m_borderSize, irtBackGround); }
void TiSwitchLed::SetBorderHighlightColor(TColor value) { SetProperty(value, m_borderHighlightColor, irtBackGround); }
void TiSwitchLed::SetBorderShadowColor(TColor value) { SetProperty(value, m_borderShadowColor, irtBackGround); }
void TiSwitchLed::SetShowFocusRect(bool value) { SetProperty(value, m_showFocusRect, irtBackGround); }

void TiSwitchLed::SetGlyph(const QImage& value) { SetProperty(value, m_glyph, irtBackGround); }

void TiSwitchLed::UpdateAccelerator()
{
    delete m_shortcut;
    m_shortcut = nullptr;
    const QKeySequence key = QKeySequence::mnemonic(m_caption);
    if (key.isEmpty())
        return;
    m_shortcut = new QShortcut(key, this);
    connect(m_shortcut, &QShortcut::activated, this, [this] {
        if (!isEnabled())
            return;
        setFocus(Qt::ShortcutFocusReason);
        ToggleByUser();
    });
}

void TiSwitchLed::iMouseDown(TMouseButton button, TShiftState, int, int)
{
    if (button != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    m_mousePressed = true;
    InvalidateChange();
}

void TiSwitchLed::iMouseUp(TMouseButton button, TShiftState, int x, int y)
{
    // OnClick has already run by now and saw the state from before the click.
    if (button != Qt::LeftButton || !m_mousePressed)
        return;
    m_mousePressed = false;
    InvalidateChange();
    if (TiRect{0, 0, Width(), Height()}.Contains(x, y))
        ToggleByUser();
}

void TiSwitchLed::iKeyDown(int& key, TShiftState)
{
    if (key != Qt::Key_Space)
        return;
    m_spacePressed = true;
    InvalidateChange();
}

void TiSwitchLed::iKeyUp(int& key, TShiftState)
{
    if (key != Qt::Key_Space || !m_spacePressed)
        return;
    m_spacePressed = false;
    InvalidateChange();
    ToggleByUser();
}

void TiSwitchLed::focusOutEvent(QFocusEvent* event)
{
    // Clear the marks before the base ends a drag, so losing the focus
    // in the middle of a press never toggles.
    m_mousePressed = false;
    m_spacePressed = false;
    InvalidateChange();
    TiCustomComponent::focusOutEvent(event);
}

TiRect TiSwitchLed::InnerRect() const
{
    const int d = m_borderSize - 2;
    return TiRect{d, d, Width() - 1 - d, Height() - 1 - d};
}

TiRect TiSwitchLed::LampRect() const
{
    const TiRect inner = InnerRect();
    int w = m_indicatorWidth;
    int h = m_indicatorHeight;
    const bool horizontalSide = m_indicatorAlignment == isaBottom || m_indicatorAlignment == isaTop;
    if (!m_glyph.isNull()) {
        w = m_glyph.width();
        h = m_glyph.height();
    } else if (m_autoLedSize) {
        if (horizontalSide)
            w = inner.Width() - 2 * m_indicatorMargin;
        else
            h = inner.Height() - 2 * m_indicatorMargin;
    }
    const int cx = (inner.Left + inner.Right) / 2;
    const int cy = (inner.Top + inner.Bottom) / 2;
    switch (m_indicatorAlignment) {
    case isaBottom:
        return TiRect{cx - w / 2, inner.Bottom - m_indicatorMargin - h, cx - w / 2 + w, inner.Bottom - m_indicatorMargin};
    case isaTop:
        return TiRect{cx - w / 2, inner.Top + m_indicatorMargin, cx - w / 2 + w, inner.Top + m_indicatorMargin + h};
    case isaLeft:
        return TiRect{inner.Left + m_indicatorMargin, cy - h / 2, inner.Left + m_indicatorMargin + w, cy - h / 2 + h};
    case isaRight:
        return TiRect{inner.Right - m_indicatorMargin - w, cy - h / 2, inner.Right - m_indicatorMargin, cy - h / 2 + h};
    }
    return {};
}

void TiSwitchLed::DrawFrame(TiCanvas& canvas)
{
    TiRect r{0, 0, Width() - 1, Height() - 1};
    const bool pressed = Pressed();
    // Frame3D works on rectangles whose right and bottom lines are inside.
    TiRect f{r.Left, r.Top, r.Right + 1, r.Bottom + 1};
    if (!HasFocus()) {
        canvas.Frame3D(f, clBtnHighlight, clBlack, 1);
        if (m_borderSize > 1)
            canvas.Frame3D(f, m_borderHighlightColor, m_borderShadowColor, m_borderSize - 1);
    } else if (pressed) {
        canvas.Frame3D(f, clBlack, clBlack, 1);
        if (m_borderSize > 1)
            canvas.Frame3D(f, cl3DDkShadow, cl3DDkShadow, 1);
        if (m_borderSize > 2)
            canvas.Frame3D(f, m_borderShadowColor, m_borderHighlightColor, m_borderSize - 2);
    } else {
        canvas.Frame3D(f, cl3DDkShadow, clBlack, 1);
        if (m_borderSize > 1)
            canvas.Frame3D(f, m_borderHighlightColor, m_borderShadowColor, m_borderSize - 1);
        canvas.Pen.Style = psSolid;
        canvas.Pen.Color = m_borderShadowColor;
        const int d = m_borderSize;
        canvas.Line(d, Height() - 1 - d, Width() - d, Height() - 1 - d);
        canvas.Line(Width() - 1 - d, d, Width() - 1 - d, Height() - d);
    }
}

void TiSwitchLed::iPaintTo(TiCanvas& canvas)
{
    DrawBackGround(canvas, BackGroundColor());
    DrawFrame(canvas);

    const TiRect inner = InnerRect();
    const TiRect lamp = LampRect();
    const bool pressed = Pressed();
    const bool opposite = m_captionAlignment == islcaOppisiteSide;

    // The caption takes the rest of the inner rectangle on the lamp's far side.
    TiRect area = inner;
    unsigned flags = itfNoClip | (m_wordWrap ? itfWordBreak : itfSingleLine);
    switch (m_indicatorAlignment) {
    case isaBottom:
        if (opposite)
            area.Top = inner.Top + m_captionMargin;
        area.Bottom = lamp.Top - (opposite ? 0 : m_captionMargin);
        flags |= itfCenter | (opposite ? itfTop : itfBottom);
        break;
    case isaTop:
        if (opposite)
            area.Bottom = inner.Bottom - m_captionMargin;
        area.Top = lamp.Bottom + (opposite ? 0 : m_captionMargin);
        flags |= itfCenter | (opposite ? itfBottom : itfTop);
        break;
    case isaLeft:
        if (opposite)
            area.Right = inner.Right - m_captionMargin;
        area.Left = lamp.Right + (opposite ? 0 : m_captionMargin);
        flags |= itfVCenter | (opposite ? itfRight : itfLeft);
        break;
    case isaRight:
        if (opposite)
            area.Left = inner.Left + m_captionMargin;
        area.Right = lamp.Left - (opposite ? 0 : m_captionMargin);
        flags |= itfVCenter | (opposite ? itfLeft : itfRight);
        break;
    }
    if (m_wordWrap && (flags & (itfBottom | itfVCenter))) {
        // Word-broken text aligns from the top: move it down by its own height.
        TiRect measure = area;
        canvas.Font = m_captionFont;
        canvas.DrawText(measure, m_caption, (flags & ~(itfBottom | itfVCenter)) | itfCalcRect);
        const int spare = area.Height() - measure.Height();
        area.Top += (flags & itfBottom) ? spare : spare / 2;
    }
    if (pressed)
        area = area.Offset(1, 1);
    canvas.Font = m_captionFont;
    canvas.Brush.Style = bsClear;
    if (!isEnabled()) {
        canvas.Font.Color = clBtnHighlight;
        canvas.DrawText(area.Offset(1, 1), m_caption, flags);
        canvas.Font.Color = clBtnShadow;
    }
    canvas.DrawText(area, m_caption, flags);

    if ((lamp.Width() > 1 && lamp.Height() > 1) || !m_glyph.isNull()) {
        const TiRect l = pressed ? lamp.Offset(1, 1) : lamp;
        if (m_glyph.isNull()) {
            canvas.Pen.Style = psSolid;
            canvas.Pen.Color = clBlack;
            canvas.Brush.Style = bsSolid;
            canvas.Brush.Color = m_active ? m_activeColor : tiDimColor(m_activeColor);
            canvas.Rectangle(TiRect{l.Left, l.Top, l.Right + 1, l.Bottom + 1});
            canvas.Pen.Color = clWhite;
            canvas.Line(l.Left, l.Bottom, l.Right + 1, l.Bottom);
            canvas.Line(l.Right, l.Top, l.Right, l.Bottom + 1);
        } else {
            canvas.DrawTransparent(l.Left, l.Top, m_glyph, tiFromQColor(m_glyph.pixelColor(0, m_glyph.height() - 1)));
        }
    }

    if (m_showFocusRect && HasFocus())
        canvas.DrawFocusRect(inner.Inflated(-3, -3));
}
