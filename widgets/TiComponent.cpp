#include "widgets/TiComponent.h"

#include "widgets/TiErrorDisplay.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>

TiComponent::TiComponent(QWidget* parent)
    : QWidget(parent)
    , m_gate([this] { update(); })
    , m_errorFont(QStringLiteral("MS Sans Serif"), -11, clRed, fsBold)
{
    // Every paint covers the whole area, so Qt never needs to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

TiComponent::~TiComponent() = default;

// ---------------------------------------------------------------- loading

void TiComponent::BeginLoading() { m_loading = true; }

void TiComponent::Loaded()
{
    m_loading = false;
    BackGroundChange();
}

// ---------------------------------------------------------------- repaint

void TiComponent::SetClock(const TiClock& clock) { m_gate.SetClock(clock); }

void TiComponent::InvalidateChange() { m_gate.Request(irtInvalidate); }

void TiComponent::BackGroundChange()
{
    m_cache.MarkChanged();
    m_gate.Request(irtBackGround);
}

void TiComponent::InvalidateNow() { m_gate.RepaintNow(); }

void TiComponent::RepaintAll() { BackGroundChange(); }

void TiComponent::BeginUpdate() { m_gate.BeginUpdate(); }

void TiComponent::EndUpdate() { m_gate.EndUpdate(); }

void TiComponent::ReleaseGatedRepaint() { m_gate.ReleaseHeld(); }

void TiComponent::RequestRepaint(TiRepaintType repaint)
{
    if (repaint == irtBackGround)
        BackGroundChange();
    else
        m_gate.Request(repaint);
}

// ---------------------------------------------------------------- setters

bool TiComponent::RequestEdit(const QString& propName)
{
    return !RequestEditHook || RequestEditHook(propName);
}

void TiComponent::PropertyChanged(const QString& propName)
{
    if (PropertyChangeHook)
        PropertyChangeHook(propName);
}

void TiComponent::SetAutoFrameRate(bool value)
{
    // On: the next request passes the gate with everything redrawn. Off:
    // whatever the gate held back goes out now.
    if (SetProperty(value, m_gate.autoFrameRate, value ? irtBackGround : irtNone) && !value)
        EndUpdate();
}

void TiComponent::SetUpdateFrameRate(int value) { SetProperty(value, m_gate.updateFrameRate, irtBackGround); }

void TiComponent::SetBackGroundColor(TColor value) { SetProperty(value, m_backGroundColor, irtBackGround); }

void TiComponent::SetBackGroundPicture(const QImage& value) { SetProperty(value, m_backGroundPicture, irtBackGround); }

void TiComponent::SetBorderStyle(TiBevelStyle value) { SetProperty(value, m_borderStyle, irtBackGround); }

void TiComponent::SetCachedDrawing(bool value)
{
    if (SetProperty(value, m_cachedDrawing, irtBackGround) && !value)
        m_cache.Release();
}

void TiComponent::SetOffsetX(int value) { SetProperty(value, m_offsetX, irtBackGround); }
void TiComponent::SetOffsetY(int value) { SetProperty(value, m_offsetY, irtBackGround); }
void TiComponent::SetErrorActive(bool value) { SetProperty(value, m_errorActive, irtBackGround); }
void TiComponent::SetErrorText(const QString& value) { SetProperty(value, m_errorText, irtBackGround); }
void TiComponent::SetErrorFont(const TiFont& value) { SetProperty(value, m_errorFont, irtInvalidate); }
void TiComponent::SetErrorBackGroundColor(TColor value) { SetProperty(value, m_errorBackGroundColor, irtBackGround); }

void TiComponent::SetTabStop(bool value) { setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus); }

void TiComponent::SetBounds(int left, int top, int w, int h)
{
    if (QRect(left, top, w, h) == geometry())
        return;
    setGeometry(left, top, std::max(0, w), std::max(0, h));
}

// ---------------------------------------------------------------- geometry

QPoint TiComponent::GetCenterPoint(TiCanvas&)
{
    return tiCenterPoint(width(), height(), m_offsetX, m_offsetY);
}

QPointF TiComponent::GetCenterPointDouble(TiCanvas&) const { return tiCenterPointDouble(width(), height()); }

// ---------------------------------------------------------------- painting

void TiComponent::DrawBackGround(TiCanvas& canvas, TColor color)
{
    m_cache.MarkDrawn();
    const TiRect whole{0, 0, width(), height()};
    if (m_backGroundPicture.width() > 0) {
        canvas.StretchDraw(whole, m_backGroundPicture);
        return;
    }
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = color;
    canvas.FillRect(whole);
    DrawBorder(canvas);
}

void TiComponent::DrawBorder(TiCanvas& canvas)
{
    canvas.DrawEdge(TiRect{0, 0, width(), height()}, m_borderStyle);
}

void TiComponent::DrawCached(TiCanvas& canvas, const std::function<void(TiCanvas&)>& staticLayers)
{
    if (!m_cachedDrawing || canvas.IsVector()) {
        staticLayers(canvas);
        return;
    }
    m_cache.Draw(canvas, QSize(std::max(1, width()), std::max(1, height())), canvas.PixelRatio(), staticLayers);
}

namespace {

// The message of an error `step` raises; none when it ran through.
template <class Step>
std::optional<QString> failureOf(Step&& step)
{
    try {
        step();
    } catch (const std::exception& error) {
        return QString::fromStdString(error.what());
    }
    return std::nullopt;
}

} // namespace

void TiComponent::PaintInto(QImage& image)
{
    std::optional<QString> failure;
    {
        TiCanvas canvas(image);
        canvas.Brush.Style = bsSolid;
        canvas.Pen.Style = psSolid;
        failure = failureOf([&] { iPaintTo(canvas); });
        if (!failure) {
            failure = failureOf([&] { emit OnPaintOverlay(canvas); });
            if (!failure)
                return;
        }
    }
    const auto paintError = [&](const QString& message) {
        TiCanvas canvas(image);
        const TiRect whole{0, 0, width(), height()};
        canvas.Brush = TiBrush{clBlack, bsSolid};
        canvas.FillRect(whole);
        canvas.Brush.Style = bsClear;
        canvas.Font.Color = clWhite;
        canvas.DrawText(whole, message, itfLeft | itfTop | itfWordBreak | itfNoPrefix);
        return failureOf([&] { emit OnPaintOverlay(canvas); });
    };
    // The overlay draws over the error text too; when it fails again there,
    // its own message is what the widget shows.
    if (const std::optional<QString> overlayFailure = paintError(*failure))
        paintError(*overlayFailure);
}

void TiComponent::PaintUncached(TiCanvas& canvas)
{
    // The cache is neither used nor rebuilt here, so a pending rebuild must
    // survive this paint, also one that throws.
    struct Restore {
        TiComponent& w;
        bool cached;
        bool rebuild;
        ~Restore()
        {
            w.m_cachedDrawing = cached;
            if (rebuild)
                w.m_cache.MarkChanged();
        }
    };
    const PaintLock lock(*this);
    const Restore restore{*this, m_cachedDrawing, m_cache.Changed()};
    m_cachedDrawing = false;
    iPaintTo(canvas);
}

QImage TiComponent::NewPaintImage(double pixelRatio) const
{
    const QSize logical(std::max(1, width()), std::max(1, height()));
    QImage image((QSizeF(logical) * pixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(PaintImageFill());
    return image;
}

QImage TiComponent::RenderToImage(double pixelRatio)
{
    QImage image = NewPaintImage(pixelRatio);
    const PaintLock lock(*this);
    PaintInto(image);
    return image;
}

void TiComponent::paintEvent(QPaintEvent*)
{
    if (m_skipOwnPaint || width() <= 0 || height() <= 0)
        return;
    const PaintLock lock(*this);
    // Drawn at the screen's pixel ratio, so that on a scaled screen the dial
    // is as sharp as the text beside it; geometry stays in logical pixels.
    // One image serves every paint; only a new size or ratio allocates another.
    const double ratio = devicePixelRatioF();
    if (m_offScreen.size() != (QSizeF(size()) * ratio).toSize() || m_offScreen.devicePixelRatio() != ratio)
        m_offScreen = NewPaintImage(ratio);
    else
        m_offScreen.fill(PaintImageFill());
    PaintInto(m_offScreen);
    QPainter screen(this);
    screen.drawImage(0, 0, m_offScreen);
}

// ---------------------------------------------------------------- input

void TiComponent::iWantSpecialKey(int&, bool&) {}
void TiComponent::iKeyUp(int&, TShiftState) {}
void TiComponent::iKeyDown(int&, TShiftState) {}
void TiComponent::iKeyPress(QChar&) {}
void TiComponent::iMouseDown(TMouseButton, TShiftState, int, int) {}
void TiComponent::iMouseUp(TMouseButton, TShiftState, int, int) {}
void TiComponent::iMouseMove(TShiftState, int, int) {}
void TiComponent::iDoubleClick() {}
bool TiComponent::iMouseWheel(int, TShiftState, QPoint) { return false; }

namespace {

// Sets a flag for the lifetime of a message handler.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~FlagScope() { m_flag = m_old; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
    bool m_old;
};

} // namespace

void TiComponent::mousePressEvent(QMouseEvent* event)
{
    FlagScope scope(m_userGenerated);
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        m_clicked = true;
    iMouseDown(event->button(), event->modifiers(), p.x(), p.y());
    emit OnMouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void TiComponent::mouseReleaseEvent(QMouseEvent* event)
{
    FlagScope scope(m_userGenerated);
    const QPoint p = event->position().toPoint();
    // The click comes first, so its handler still sees the state from
    // before the release.
    if (event->button() == Qt::LeftButton && m_clicked) {
        m_clicked = false;
        if (rect().contains(p))
            emit OnClick();
    }
    iMouseUp(event->button(), event->modifiers(), p.x(), p.y());
    emit OnMouseUp(event->button(), event->modifiers(), p.x(), p.y());
}

void TiComponent::mouseMoveEvent(QMouseEvent* event)
{
    FlagScope scope(m_userGenerated);
    const QPoint p = event->position().toPoint();
    iMouseMove(event->modifiers(), p.x(), p.y());
    emit OnMouseMove(event->modifiers(), p.x(), p.y());
}

void TiComponent::mouseDoubleClickEvent(QMouseEvent* event)
{
    FlagScope scope(m_userGenerated);
    const QPoint p = event->position().toPoint();
    iMouseDown(event->button(), event->modifiers() , p.x(), p.y());
    emit OnMouseDown(event->button(), event->modifiers(), p.x(), p.y());
    iDoubleClick();
    emit OnDblClick();
}

void TiComponent::wheelEvent(QWheelEvent* event)
{
    FlagScope scope(m_userGenerated);
    if (iMouseWheel(event->angleDelta().y(), event->modifiers(), event->position().toPoint()))
        event->accept();
    else
        event->ignore();
}

void TiComponent::keyPressEvent(QKeyEvent* event)
{
    FlagScope scope(m_userGenerated);
    emit OnKeyDown(event->key(), event->modifiers());
    try {
        int key = event->key();
        iKeyDown(key, event->modifiers());
        const QString text = event->text();
        if (!text.isEmpty() && text.at(0).isPrint()) {
            QChar ch = text.at(0);
            emit OnKeyPress(ch);
            iKeyPress(ch);
        }
    } catch (const std::exception& error) {
        // Nothing may unwind through Qt's frames: the application shows it.
        TiErrorDisplay::Show(error);
    }
}

void TiComponent::keyReleaseEvent(QKeyEvent* event)
{
    // A held key repeats its press only: the releases Qt sends between the
    // repeats would otherwise toggle a switch or end a change once per repeat.
    if (event->isAutoRepeat())
        return;
    FlagScope scope(m_userGenerated);
    emit OnKeyUp(event->key(), event->modifiers());
    try {
        int key = event->key();
        iKeyUp(key, event->modifiers());
    } catch (const std::exception& error) {
        TiErrorDisplay::Show(error);
    }
}

void TiComponent::focusInEvent(QFocusEvent* event)
{
    FlagScope scope(m_userGenerated);
    m_hasFocus = true;
    iDoSetFocus();
    emit OnEnter();
    update();
    QWidget::focusInEvent(event);
}

void TiComponent::focusOutEvent(QFocusEvent* event)
{
    FlagScope scope(m_userGenerated);
    m_hasFocus = false;
    try {
        // End a drag that the lost focus interrupted.
        iMouseUp(Qt::LeftButton, Qt::NoModifier, 0, 0);
        iDoKillFocus();
    } catch (const std::exception& error) {
        // The focus is lost all the same; a commit that failed is reported.
        TiErrorDisplay::Show(error);
    }
    emit OnExit();
    update();
    QWidget::focusOutEvent(event);
}

bool TiComponent::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            int code = key->key();
            bool wanted = false;
            iWantSpecialKey(code, wanted);
            if (wanted) {
                keyPressEvent(key);
                return true;
            }
        }
    }
    return QWidget::event(event);
}

void TiComponent::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    iBoundsChanged();
    // What lies beneath a transparent widget changed with its place.
    BackGroundChange();
}

void TiComponent::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    iBoundsChanged();
    BackGroundChange();
}

void TiComponent::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        BackGroundChange();
    QWidget::changeEvent(event);
}
