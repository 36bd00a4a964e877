#include "widgets/TiLabel.h"

#include <QImage>
#include <QKeySequence>
#include <QShortcut>
#include <cstdlib>

TiLabel::TiLabel(QWidget* parent) : TiCustomComponent(parent)
{
    SetTabStop(false);
    // The first change of caption, font, frame, margins or shadow fits the
    // size to the caption; a new label keeps its designed size until then.
    resize(28, 13);
}

int TiLabel::FrameMargin(TiLabelBorderStyle style)
{
    switch (style) {
    case ilbsNone:
        return 0;
    case ilbsSingle:
        return 1;
    case ilbsLowered:
    case ilbsRaised:
        return 2;
    }
    return 0;
}

void TiLabel::SetCaption(const QString& value)
{
    if (value == m_caption || !RequestEdit(QStringLiteral("Caption")))
        return;
    m_caption = value;
    ApplyAutoSize();
    UpdateAccelerator();
    InvalidateChange();
}

void TiLabel::SetFont(const TiFont& value)
{
    if (SetProperty(value, m_font, irtInvalidate))
        ApplyAutoSize();
}

void TiLabel::SetAlignment(TiAlignmentHorizontal value) { SetProperty(value, m_alignment, irtInvalidate); }

void TiLabel::SetAutoSize(bool value)
{
    if (SetProperty(value, m_autoSize, irtInvalidate))
        ApplyAutoSize();
}

void TiLabel::SetLabelBorderStyle(TiLabelBorderStyle value)
{
    if (SetProperty(value, m_labelBorderStyle, irtInvalidate))
        ApplyAutoSize();
}

bool TiLabel::SetMarginProperty(int value, int& field)
{
    if (!SetProperty(value, field, irtInvalidate))
        return false;
    ApplyAutoSize();
    return true;
}

void TiLabel::SetOuterMarginLeft(int value) { SetMarginProperty(value, m_outerMarginLeft); }
void TiLabel::SetOuterMarginTop(int value) { SetMarginProperty(value, m_outerMarginTop); }
void TiLabel::SetOuterMarginRight(int value) { SetMarginProperty(value, m_outerMarginRight); }
void TiLabel::SetOuterMarginBottom(int value) { SetMarginProperty(value, m_outerMarginBottom); }

void TiLabel::SetShadowShow(bool value)
{
    if (SetProperty(value, m_shadowShow, irtInvalidate))
        ApplyAutoSize();
}

void TiLabel::SetShadowXOffset(int value) { SetMarginProperty(value, m_shadowXOffset); }
void TiLabel::SetShadowYOffset(int value) { SetMarginProperty(value, m_shadowYOffset); }

void TiLabel::SetShadowColor(TColor value)
{
    if (SetProperty(value, m_shadowColor, irtInvalidate))
        ApplyAutoSize();
}

void TiLabel::SetFocusControl(QWidget* value)
{
    if (value == m_focusControl)
        return;
    m_focusControl = value;
    UpdateAccelerator();
    InvalidateChange();
}

void TiLabel::Loaded()
{
    TiCustomComponent::Loaded();
    ApplyAutoSize();
}

unsigned TiLabel::TextFlags() const
{
    unsigned flags = itfVCenter | itfSingleLine;
    if (m_alignment == iahCenter)
        flags |= itfCenter;
    else if (m_alignment == iahRight)
        flags |= itfRight;
    // '&' marks an accelerator only when there is a control to focus.
    if (!m_focusControl)
        flags |= itfNoPrefix;
    return flags;
}

void TiLabel::ApplyAutoSize()
{
    if (!m_autoSize || Loading() || m_autoSizing)
        return;
    m_autoSizing = true;
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    TiCanvas canvas(scratch);
    canvas.Font = m_font;
    TiRect text{0, 0, 0, 0};
    canvas.DrawText(text, m_caption.isEmpty() ? QStringLiteral(" ") : m_caption, TextFlags() | itfCalcRect);
    const int m = FrameMargin(m_labelBorderStyle);
    int w = 2 * m + m_outerMarginLeft + m_outerMarginRight + text.Width();
    int h = 2 * m + m_outerMarginTop + m_outerMarginBottom + text.Height();
    if (m_shadowShow) {
        w += std::abs(m_shadowXOffset);
        h += std::abs(m_shadowYOffset);
    }
    SetBounds(x(), y(), w, h);
    m_autoSizing = false;
}

void TiLabel::UpdateAccelerator()
{
    delete m_shortcut;
    m_shortcut = nullptr;
    if (!m_focusControl)
        return;
    const QKeySequence key = QKeySequence::mnemonic(m_caption);
    if (key.isEmpty())
        return;
    m_shortcut = new QShortcut(key, this);
    connect(m_shortcut, &QShortcut::activated, this, [this] {
        if (m_focusControl && m_focusControl->isEnabled() && m_focusControl->focusPolicy() != Qt::NoFocus)
            m_focusControl->setFocus(Qt::ShortcutFocusReason);
    });
}

void TiLabel::iPaintTo(TiCanvas& canvas)
{
    DrawBackGround(canvas, BackGroundColor());
    canvas.Font = m_font;
    canvas.Brush.Style = bsClear;
    const int m = FrameMargin(m_labelBorderStyle);
    TiRect r{m + m_outerMarginLeft, m + m_outerMarginTop, Width() - m - m_outerMarginRight,
             Height() - m - m_outerMarginBottom};
    const unsigned flags = TextFlags();
    if (m_shadowShow) {
        canvas.Font.Color = m_shadowColor;
        if (m_shadowXOffset >= 0)
            r = r.Offset(m_shadowXOffset, m_shadowYOffset);
        canvas.DrawText(r, m_caption, flags);
        r = r.Offset(-m_shadowXOffset, -m_shadowYOffset);
        canvas.Font.Color = m_font.Color;
    }
    canvas.DrawText(r, m_caption, flags);

    const TiRect whole{0, 0, Width(), Height()};
    switch (m_labelBorderStyle) {
    case ilbsNone:
        break;
    case ilbsSingle:
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = clWindowFrame;
        canvas.FrameRect(whole);
        break;
    case ilbsLowered:
        canvas.DrawEdge(whole, idesSunken);
        break;
    case ilbsRaised:
        canvas.DrawEdge(whole, idesRaised);
        break;
    }
}
