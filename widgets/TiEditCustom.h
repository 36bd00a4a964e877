#pragma once

#include "widgets/TiCustomComponent.h"
#include "widgets/TiLabelTypes.h"

#include <memory>

class QMenu;

// A painted one-line edit field: text, caret, selection, undo and the
// clipboard keys, with hooks for derived fields to filter keys and to commit.
class TiEditCustom : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(TiFont Font READ Font WRITE SetFont)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(TiLabelEnums::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(int AlignmentMargin READ AlignmentMargin WRITE SetAlignmentMargin)
    Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE SetAutoSelect)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE SetMaxLength)

public:
    explicit TiEditCustom(QWidget* parent = nullptr);
    ~TiEditCustom() override;

    QString Text() const { return m_text; }
    void SetText(const QString& value);
    TiFont Font() const { return m_font; }
    void SetFont(const TiFont& value);
    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    int AlignmentMargin() const { return m_alignmentMargin; }
    void SetAlignmentMargin(int value);
    bool AutoSelect() const { return m_autoSelect; }
    void SetAutoSelect(bool value);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    int MaxLength() const { return m_maxLength; }
    virtual void SetMaxLength(int value);
    QChar PasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(QChar value);

    int SelStart() const { return m_selStart; }
    int SelLength() const { return m_selLength; }
    void SetSelection(int start, int length);
    int CaretPosition() const { return m_caret; }
    bool Modified() const { return m_modified; }
    virtual void SelectAll();

    void SetBorderStyle(TiBevelStyle value) override;
    void Loaded() override;

    // The context menu with Apply, Undo, Cut, Copy, Paste, Delete, Select All.
    QMenu* ContextMenu() const { return m_menu.get(); }

signals:
    void OnChange();

protected:
    // The text changed by editing.
    virtual void DoChange();
    // Enter or focus loss: take the edited text as the new value.
    virtual void CompleteChange();
    // Whether a typed character may be inserted.
    virtual bool AllowKey(QChar key);

    // Replaces the text from the program: no undo step, no change event.
    void SetDisplayText(const QString& value);
    void Undo();
    virtual void Beep();

    void iPaintTo(TiCanvas& canvas) override;
    void iKeyDown(int& key, TShiftState shift) override;
    void iKeyPress(QChar& key) override;
    void iMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void iDoSetFocus() override;
    void iDoKillFocus() override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // With AutoSize the height follows the font: one text line plus the frame.
    void ApplyAutoSize();
    void ReplaceSelection(const QString& with);
    void DeleteSelection();
    void MoveCaret(int to, bool extend);
    QString DisplayText() const;
    void CopyToClipboard();
    bool Editable() const;

    QString m_text;
    QString m_undoText;
    TiFont m_font;
    TColor m_color = clWindow;
    TAlignment m_alignment = taLeftJustify;
    int m_alignmentMargin = 0;
    bool m_autoSelect = true;
    bool m_autoSize = true;
    int m_maxLength = 0;
    QChar m_passwordChar;
    int m_caret = 0;
    int m_selStart = 0;
    int m_selLength = 0;
    int m_anchor = 0;
    bool m_modified = false;
    std::unique_ptr<QMenu> m_menu;
};
