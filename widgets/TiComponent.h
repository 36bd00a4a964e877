#pragma once

#include "widgets/TiBackgroundCache.h"
#include "widgets/TiCanvas.h"
#include "widgets/TiClock.h"
#include "widgets/TiColor.h"
#include "widgets/TiFont.h"
#include "widgets/TiGeometry.h"
#include "widgets/TiRepaintGate.h"
#include "widgets/TiTypes.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <functional>
#include <type_traits>

using TShiftState = Qt::KeyboardModifiers;
using TMouseButton = Qt::MouseButton;

// Root of every instrument widget: off-screen painting through iPaintTo,
// repaint requests of two kinds (held back and thinned out by its repaint
// gate), the cached background, colour/picture background and border, input
// hooks and the loading bracket of the window's layout tables.
class TiComponent : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool AutoFrameRate READ AutoFrameRate WRITE SetAutoFrameRate)
    Q_PROPERTY(int UpdateFrameRate READ UpdateFrameRate WRITE SetUpdateFrameRate)
    Q_PROPERTY(int BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)
    Q_PROPERTY(QImage BackGroundPicture READ BackGroundPicture WRITE SetBackGroundPicture)
    Q_PROPERTY(TiEnums::TiBevelStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(bool CachedDrawing READ CachedDrawing WRITE SetCachedDrawing)
    Q_PROPERTY(int OffsetX READ OffsetX WRITE SetOffsetX)
    Q_PROPERTY(int OffsetY READ OffsetY WRITE SetOffsetY)
    Q_PROPERTY(bool ErrorActive READ ErrorActive WRITE SetErrorActive)
    Q_PROPERTY(QString ErrorText READ ErrorText WRITE SetErrorText)
    Q_PROPERTY(TiFont ErrorFont READ ErrorFont WRITE SetErrorFont)
    Q_PROPERTY(int ErrorBackGroundColor READ ErrorBackGroundColor WRITE SetErrorBackGroundColor)
    Q_PROPERTY(bool Visible READ isVisible WRITE setVisible)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)

public:
    explicit TiComponent(QWidget* parent = nullptr);
    ~TiComponent() override;

    // --- loading bracket: the window assigns the stored properties between
    // BeginLoading and Loaded; events stay silent meanwhile.
    void BeginLoading();
    virtual void Loaded();
    bool Loading() const { return m_loading; }

    // --- repaint requests
    void InvalidateChange();
    void BackGroundChange();
    void InvalidateNow();
    virtual void RepaintAll();
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return m_gate.Updating(); }
    bool InvalidatePending() const { return m_gate.InvalidatePending(); }
    bool BackGroundPending() const { return m_gate.BackGroundPending(); }
    bool BackGroundChanged() const { return m_cache.Changed(); }
    // Runs the gate again for a repaint it held back (the gate's own timer
    // calls this once the frame time has passed).
    void ReleaseGatedRepaint();
    void SetClock(const TiClock& clock);

    // --- published state
    bool AutoFrameRate() const { return m_gate.autoFrameRate; }
    void SetAutoFrameRate(bool value);
    int UpdateFrameRate() const { return m_gate.updateFrameRate; }
    void SetUpdateFrameRate(int value);
    TColor BackGroundColor() const { return m_backGroundColor; }
    virtual void SetBackGroundColor(TColor value);
    const QImage& BackGroundPicture() const { return m_backGroundPicture; }
    void SetBackGroundPicture(const QImage& value);
    TiBevelStyle BorderStyle() const { return m_borderStyle; }
    virtual void SetBorderStyle(TiBevelStyle value);
    bool CachedDrawing() const { return m_cachedDrawing; }
    virtual void SetCachedDrawing(bool value);
    int OffsetX() const { return m_offsetX; }
    void SetOffsetX(int value);
    int OffsetY() const { return m_offsetY; }
    void SetOffsetY(int value);
    bool ErrorActive() const { return m_errorActive; }
    void SetErrorActive(bool value);
    QString ErrorText() const { return m_errorText; }
    void SetErrorText(const QString& value);
    TiFont ErrorFont() const { return m_errorFont; }
    void SetErrorFont(const TiFont& value);
    TColor ErrorBackGroundColor() const { return m_errorBackGroundColor; }
    void SetErrorBackGroundColor(TColor value);
    bool TabStop() const { return focusPolicy() == Qt::StrongFocus; }
    void SetTabStop(bool value);

    int Left() const { return x(); }
    int Top() const { return y(); }
    int Width() const { return width(); }
    int Height() const { return height(); }
    void SetLeft(int value) { SetBounds(value, y(), width(), height()); }
    void SetTop(int value) { SetBounds(x(), value, width(), height()); }
    void SetWidth(int value) { SetBounds(x(), y(), value, height()); }
    void SetHeight(int value) { SetBounds(x(), y(), width(), value); }
    // Every move and resize goes through here; widgets that keep a shape
    // (square lamps, auto-sized read-outs) override it.
    virtual void SetBounds(int left, int top, int width, int height);

    bool HasFocus() const { return m_hasFocus; }
    bool UserGenerated() const { return m_userGenerated; }

    // --- geometry
    virtual QPoint GetCenterPoint(TiCanvas& canvas);
    QPointF GetCenterPointDouble(TiCanvas& canvas) const;
    int GetBorderMargin() const { return m_borderStyle != ibsNone ? 2 : 0; }

    // --- lock and timer (supplied by TiVCLComponent)
    virtual void Lock() = 0;
    virtual void Unlock() = 0;
    // Holds the widget's lock for its own lifetime, so that a paint, an
    // overlay slot or an export that throws never leaves it held.
    class PaintLock {
    public:
        explicit PaintLock(TiComponent& widget) : m_widget(widget) { m_widget.Lock(); }
        ~PaintLock() { m_widget.Unlock(); }
        PaintLock(const PaintLock&) = delete;
        PaintLock& operator=(const PaintLock&) = delete;

    private:
        TiComponent& m_widget;
    };
    virtual bool GetTimerRunning() const = 0;
    virtual void TimerStart(int initialDelay, int interval) = 0;
    virtual void TimerStop() = 0;

    // Asked before some property changes; a false answer refuses the change.
    std::function<bool(const QString& propName)> RequestEditHook;
    // Told after such a change.
    std::function<void(const QString& propName)> PropertyChangeHook;

    // Renders the widget as the screen shows it into a new image of its size
    // in logical pixels, with pixelRatio device pixels to each (the screen's
    // ratio gives what a HiDPI screen shows; exports use 1).
    virtual QImage RenderToImage(double pixelRatio = 1.0);

signals:
    void OnClick();
    void OnDblClick();
    void OnMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void OnMouseMove(Qt::KeyboardModifiers Shift, int X, int Y);
    void OnMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void OnKeyDown(int Key, Qt::KeyboardModifiers Shift);
    void OnKeyPress(QChar Key);
    void OnKeyUp(int Key, Qt::KeyboardModifiers Shift);
    void OnEnter();
    void OnExit();
    // After each paint, with the off-screen canvas.
    void OnPaintOverlay(TiCanvas& Canvas);

protected:
    // Draws the whole widget; the base fills in any error it raises.
    virtual void iPaintTo(TiCanvas& canvas) = 0;

    // Draws background, static and moving layers the cached way: with
    // CachedDrawing the static layers go into the background bitmap only
    // after a background change and the bitmap is copied; otherwise they are
    // drawn straight onto the canvas.
    void DrawCached(TiCanvas& canvas, const std::function<void(TiCanvas&)>& staticLayers);

    virtual void DrawBackGround(TiCanvas& canvas, TColor color);
    virtual void DrawBorder(TiCanvas& canvas);

    // Compare-then-store setter of every property: stores a changed value,
    // requests the repaint of the given kind and reports whether anything
    // changed. The field's type decides (doubles compare for inequality, so
    // a NaN is always stored).
    template <class T>
    bool SetProperty(const std::type_identity_t<T>& newValue, T& field, TiRepaintType repaint)
    {
        if (!(newValue != field))
            return false;
        field = newValue;
        RequestRepaint(repaint);
        return true;
    }
    void RequestRepaint(TiRepaintType repaint);

    // RequestEditHook's answer (true when no hook is set).
    bool RequestEdit(const QString& propName);
    void PropertyChanged(const QString& propName);

    // Input hooks; UserGenerated is true while they run.
    virtual void iDoSetFocus() {}
    virtual void iDoKillFocus() {}
    virtual void iWantSpecialKey(int& charCode, bool& result);
    virtual void iKeyUp(int& key, TShiftState shift);
    virtual void iKeyDown(int& key, TShiftState shift);
    virtual void iKeyPress(QChar& key);
    virtual void iMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void iMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void iMouseMove(TShiftState shift, int x, int y);
    virtual void iDoubleClick();
    virtual bool iMouseWheel(int wheelDelta, TShiftState shift, QPoint mousePos);

    // Called after the widget moved or changed size.
    virtual void iBoundsChanged() {}

    // Colour the off-screen image is cleared to before each paint.
    virtual QColor PaintImageFill() const { return Qt::black; }
    // A cleared off-screen image of the widget's size at pixelRatio.
    QImage NewPaintImage(double pixelRatio) const;
    // Renders iPaintTo and the overlay into image; an error either raises is
    // painted instead (white on black).
    void PaintInto(QImage& image);
    // iPaintTo with CachedDrawing off, for vector export.
    void PaintUncached(TiCanvas& canvas);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

    // True while a paint of the widget's own is drawn into a parent capture:
    // the widget then leaves its area untouched.
    bool m_skipOwnPaint = false;

private:
    TiRepaintGate m_gate;
    TiBackgroundCache m_cache;
    bool m_loading = false;
    TColor m_backGroundColor = clBtnFace;
    QImage m_backGroundPicture;
    TiBevelStyle m_borderStyle = ibsNone;
    bool m_cachedDrawing = true;
    int m_offsetX = 0;
    int m_offsetY = 0;
    bool m_errorActive = false;
    QString m_errorText = QStringLiteral("Error");
    TiFont m_errorFont;
    TColor m_errorBackGroundColor = clBlack;
    QImage m_offScreen;
    bool m_hasFocus = false;
    bool m_userGenerated = false;
    bool m_clicked = false;
};
