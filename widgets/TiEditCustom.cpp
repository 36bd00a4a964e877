#include "widgets/TiEditCustom.h"

#include "widgets/TiErrorDisplay.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>
#include <algorithm>

TiEditCustom::TiEditCustom(QWidget* parent) : TiCustomComponent(parent), m_menu(std::make_unique<QMenu>())
{
    SetBorderStyle(ibsLowered);
    SetTabStop(true);
    setCursor(Qt::IBeamCursor);
    resize(80, 21);
    m_menu->addAction(QStringLiteral("Apply"), this, [this] {
        try {
            CompleteChange();
        } catch (const std::exception& error) {
            TiErrorDisplay::Show(error);
        }
    });
    m_menu->addAction(QStringLiteral("Undo"), this, [this] { Undo(); });
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("Cut"), this, [this] {
        CopyToClipboard();
        DeleteSelection();
    });
    m_menu->addAction(QStringLiteral("Copy"), this, [this] { CopyToClipboard(); });
    m_menu->addAction(QStringLiteral("Paste"), this,
                      [this] { ReplaceSelection(QApplication::clipboard()->text()); });
    m_menu->addAction(QStringLiteral("Delete"), this, [this] { DeleteSelection(); });
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("Select All"), this, [this] { SelectAll(); });
}

TiEditCustom::~TiEditCustom() = default;

void TiEditCustom::SetText(const QString& value)
{
    if (value == m_text)
        return;
    m_undoText = m_text;
    SetDisplayText(value);
    DoChange();
}

void TiEditCustom::SetDisplayText(const QString& value)
{
    m_text = value;
    m_caret = std::min<int>(m_caret, m_text.size());
    m_selStart = std::min<int>(m_selStart, m_text.size());
    m_selLength = std::min<int>(m_selLength, m_text.size() - m_selStart);
    InvalidateChange();
}

void TiEditCustom::SetFont(const TiFont& value)
{
    if (SetProperty(value, m_font, irtBackGround))
        ApplyAutoSize();
}

void TiEditCustom::SetBorderStyle(TiBevelStyle value)
{
    TiCustomComponent::SetBorderStyle(value);
    ApplyAutoSize();
}

void TiEditCustom::Loaded()
{
    TiCustomComponent::Loaded();
    ApplyAutoSize();
}

void TiEditCustom::ApplyAutoSize()
{
    if (!m_autoSize || Loading())
        return;
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    TiCanvas canvas(scratch);
    canvas.Font = m_font;
    const int b = BorderStyle() != ibsNone ? 2 : 0;
    SetHeight(canvas.TextHeight(QStringLiteral("0")) + 2 * b + 2);
}
void TiEditCustom::SetColor(TColor value) { SetProperty(value, m_color, irtBackGround); }

void TiEditCustom::SetAlignment(TAlignment value) { SetProperty(value, m_alignment, irtBackGround); }

void TiEditCustom::SetAlignmentMargin(int value) { SetProperty(value, m_alignmentMargin, irtBackGround); }
void TiEditCustom::SetAutoSelect(bool value) { SetProperty(value, m_autoSelect, irtNone); }
void TiEditCustom::SetAutoSize(bool value)
{
    if (SetProperty(value, m_autoSize, irtBackGround))
        ApplyAutoSize();
}
void TiEditCustom::SetMaxLength(int value) { SetProperty(std::max(0, value), m_maxLength, irtNone); }

void TiEditCustom::SetPasswordChar(QChar value) { SetProperty(value, m_passwordChar, irtInvalidate); }

void TiEditCustom::SetSelection(int start, int length)
{
    start = std::clamp<int>(start, 0, m_text.size());
    length = std::clamp<int>(length, 0, m_text.size() - start);
    m_selStart = start;
    m_selLength = length;
    m_anchor = start;
    m_caret = start + length;
    InvalidateChange();
}

void TiEditCustom::SelectAll() { SetSelection(0, m_text.size()); }

void TiEditCustom::DoChange()
{
    m_modified = true;
    if (!Loading())
        emit OnChange();
}

void TiEditCustom::CompleteChange() {}

bool TiEditCustom::AllowKey(QChar) { return true; }

void TiEditCustom::Beep() { QApplication::beep(); }

bool TiEditCustom::Editable() const { return isEnabled() && focusPolicy() != Qt::NoFocus; }

void TiEditCustom::Undo()
{
    const QString old = m_text;
    SetDisplayText(m_undoText);
    m_undoText = old;
    SelectAll();
    DoChange();
}

void TiEditCustom::ReplaceSelection(const QString& with)
{
    m_undoText = m_text;
    m_text.replace(m_selStart, m_selLength, with);
    m_caret = m_selStart + with.size();
    m_selStart = m_caret;
    m_selLength = 0;
    m_anchor = m_caret;
    InvalidateChange();
    DoChange();
}

void TiEditCustom::DeleteSelection()
{
    if (m_selLength > 0)
        ReplaceSelection(QString());
}

void TiEditCustom::MoveCaret(int to, bool extend)
{
    to = std::clamp<int>(to, 0, m_text.size());
    if (!extend)
        m_anchor = to;
    m_caret = to;
    m_selStart = std::min(m_anchor, m_caret);
    m_selLength = std::abs(m_caret - m_anchor);
    InvalidateChange();
}

void TiEditCustom::CopyToClipboard()
{
    if (m_selLength > 0 && m_passwordChar.isNull())
        QApplication::clipboard()->setText(m_text.mid(m_selStart, m_selLength));
}

QString TiEditCustom::DisplayText() const
{
    return m_passwordChar.isNull() ? m_text : QString(m_text.size(), m_passwordChar);
}

void TiEditCustom::iKeyDown(int& key, TShiftState shift)
{
    if (!Editable())
        return;
    const bool ctrl = shift & Qt::ControlModifier;
    const bool extend = shift & Qt::ShiftModifier;
    switch (key) {
    case Qt::Key_A:
        if (ctrl)
            SelectAll();
        return;
    case Qt::Key_C:
        if (ctrl)
            CopyToClipboard();
        return;
    case Qt::Key_X:
        if (ctrl) {
            CopyToClipboard();
            DeleteSelection();
        }
        return;
    case Qt::Key_V:
        if (ctrl)
            ReplaceSelection(QApplication::clipboard()->text());
        return;
    case Qt::Key_Z:
        if (ctrl)
            Undo();
        return;
    case Qt::Key_Escape:
        Undo();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // Selected also when the text is refused, ready to be typed over.
        struct SelectAllAfter {
            TiEditCustom& edit;
            ~SelectAllAfter() { edit.SelectAll(); }
        } selectAll{*this};
        CompleteChange();
        return;
    }
    case Qt::Key_Backspace:
        if (m_selLength == 0 && m_caret > 0)
            SetSelection(m_caret - 1, 1);
        DeleteSelection();
        return;
    case Qt::Key_Delete:
        if (m_selLength == 0 && m_caret < m_text.size())
            SetSelection(m_caret, 1);
        DeleteSelection();
        return;
    case Qt::Key_Left:
        MoveCaret(ctrl ? 0 : m_caret - 1, extend);
        return;
    case Qt::Key_Right:
        MoveCaret(ctrl ? m_text.size() : m_caret + 1, extend);
        return;
    case Qt::Key_Home:
        MoveCaret(0, extend);
        return;
    case Qt::Key_End:
        MoveCaret(m_text.size(), extend);
        return;
    default:
        return;
    }
}

void TiEditCustom::iKeyPress(QChar& key)
{
    if (!Editable() || QApplication::keyboardModifiers() & Qt::ControlModifier)
        return;
    if (!AllowKey(key))
        return;
    if (m_maxLength != 0 && m_text.size() >= m_maxLength && m_selLength == 0) {
        Beep();
        return;
    }
    ReplaceSelection(QString(key));
}

void TiEditCustom::iMouseDown(TMouseButton button, TShiftState, int, int)
{
    if (button == Qt::LeftButton && Editable())
        setFocus(Qt::MouseFocusReason);
}

void TiEditCustom::iDoSetFocus()
{
    if (m_autoSelect)
        SelectAll();
}

void TiEditCustom::iDoKillFocus()
{
    CompleteChange();
    InvalidateChange();
}

void TiEditCustom::contextMenuEvent(QContextMenuEvent* event)
{
    if (Editable())
        m_menu->popup(event->globalPos());
}

void TiEditCustom::iPaintTo(TiCanvas& canvas)
{
    DrawBackGround(canvas, ErrorActive() ? ErrorBackGroundColor() : m_color);
    const int b = BorderStyle() != ibsNone ? 2 : 0;
    QString shown;
    int firstShown = 0;
    if (ErrorActive()) {
        canvas.Font = ErrorFont();
        shown = ErrorText();
    } else {
        canvas.Font = m_font;
        shown = DisplayText();
        // Scroll so the caret stays visible when the text is too wide.
        const int room = Width() - 2 * b - m_alignmentMargin;
        while (canvas.TextWidth(shown) > room && !shown.isEmpty()) {
            if (m_caret - firstShown > shown.size() / 2) {
                shown.remove(0, 1);
                ++firstShown;
            } else {
                shown.chop(1);
            }
        }
    }
    const int tw = canvas.TextWidth(shown);
    const int th = canvas.TextHeight(shown.isEmpty() ? QStringLiteral("0") : shown);
    int left = 0;
    switch (m_alignment) {
    case taLeftJustify:
        left = b + m_alignmentMargin + 1;
        break;
    case taRightJustify:
        left = Width() - b - m_alignmentMargin - 2 - tw;
        break;
    case taCenter:
        left = Width() / 2 + tw / 2 - tw;
        break;
    }
    const int top = b + 1;
    canvas.Brush.Style = bsClear;
    canvas.DrawText(TiRect{left, top, left + tw, top + th}, shown, itfSingleLine | itfNoClip | itfNoPrefix);

    if (HasFocus() && !ErrorActive() && Editable()) {
        const auto xAt = [&](int index) {
            return left + canvas.TextWidth(shown.left(std::clamp(index - firstShown, 0, int(shown.size()))));
        };
        if (m_selLength > 0) {
            const int x1 = xAt(m_selStart);
            const int x2 = xAt(m_selStart + m_selLength);
            canvas.Brush.Style = bsSolid;
            canvas.Brush.Color = clHighlight;
            canvas.FillRect(TiRect{x1, top, x2, top + th});
            canvas.Font.Color = clWhite;
            canvas.Brush.Style = bsClear;
            const int from = std::max(0, m_selStart - firstShown);
            canvas.DrawText(TiRect{x1, top, x2, top + th}, shown.mid(from, m_selStart + m_selLength - firstShown - from),
                            itfSingleLine | itfNoClip | itfNoPrefix);
        }
        canvas.Pen.Style = psSolid;
        canvas.Pen.Color = clBlack;
        const int cx = xAt(m_caret);
        canvas.Line(cx, top, cx, top + th);
    }
    if (!Transparent())
        DrawBorder(canvas);
}
