#include "widgets/TiComponent.h"

#include "widgets/TiErrorDisplay.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <exception>

TiComponent::TiComponent(QWidget* parent)
    : QWidget(parent), m_clock(&TiClock::Steady()), m_errorFont(QStringLiteral("MS Sans Serif"), -11, clRed, fsBold)
{
    // Every paint covers the whole area, so Qt never needs to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    m_lastRepaintTime = NowMs();
    m_gateTimer = new QTimer(this);
    m_gateTimer->setSingleShot(true);
    connect(m_gateTimer, &QTimer::timeout, this, &TiComponent::ReleaseGatedRepaint);
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

void TiComponent::SetClock(const TiClock& clock)
{
    m_clock = &clock;
    m_lastRepaintTime = NowMs();
}

void TiComponent::InvalidateChange()
{
    if (m_updating) {
        m_invalidatePending = true;
    } else if (m_autoFrameRate) {
        m_invalidatePending = true;
        RunFrameGate();
    } else {
        Repaint();
    }
}

void TiComponent::BackGroundChange()
{
    m_backGroundChanged = true;
    if (m_updating) {
        m_backGroundPending = true;
    } else if (m_autoFrameRate) {
        m_backGroundPending = true;
        RunFrameGate();
    } else {
        Repaint();
    }
}

void TiComponent::InvalidateNow() { Repaint(); }

void TiComponent::RepaintAll() { BackGroundChange(); }

void TiComponent::BeginUpdate() { m_updating = true; }

void TiComponent::EndUpdate()
{
    m_updating = false;
    if (m_invalidatePending || m_backGroundPending)
        RunFrameGate();
}

void TiComponent::RunFrameGate()
{
    if (!m_autoFrameRate || m_updateFrameRate <= 0) {
        Repaint();
        return;
    }
    const double frameMs = 1000.0 / m_updateFrameRate;
    const double now = NowMs();
    if (now > m_lastRepaintTime + frameMs) {
        Repaint();
        return;
    }
    // Held back: release it once the frame time is over, so the last change
    // of a burst is shown even if no further change comes.
    if (!m_gateTimer->isActive()) {
        const double wait = m_lastRepaintTime + frameMs - now;
        m_gateTimer->start(std::max(1, static_cast<int>(std::ceil(wait))) );
    }
}

void TiComponent::ReleaseGatedRepaint()
{
    if (!m_updating && (m_invalidatePending || m_backGroundPending))
        RunFrameGate();
}

void TiComponent::Repaint()
{
    m_invalidatePending = false;
    m_backGroundPending = false;
    m_lastRepaintTime = NowMs();
    m_gateTimer->stop();
    update();
}

void TiComponent::RequestRepaint(TiRepaintType repaint)
{
    if (repaint == irtInvalidate)
        InvalidateChange();
    else if (repaint == irtBackGround)
        BackGroundChange();
}

// ---------------------------------------------------------------- setters

bool TiComponent::SetBooleanProperty(bool newValue, bool& field, TiRepaintType repaint)
{
    if (newValue == field)
        return false;
    field = newValue;
    RequestRepaint(repaint);
    return true;
}

bool TiComponent::SetIntegerProperty(int newValue, int& field, TiRepaintType repaint)
{
    if (newValue == field)
        return false;
    field = newValue;
    RequestRepaint(repaint);
    return true;
}

bool TiComponent::SetDoubleProperty(double newValue, double& field, TiRepaintType repaint)
{
    if (!(newValue != field))
        return false;
    field = newValue;
    RequestRepaint(repaint);
    return true;
}

bool TiComponent::SetStringProperty(const QString& newValue, QString& field, TiRepaintType repaint)
{
    if (newValue == field)
        return false;
    field = newValue;
    RequestRepaint(repaint);
    return true;
}

bool TiComponent::SetColorProperty(TColor newValue, TColor& field, TiRepaintType repaint)
{
    return SetIntegerProperty(newValue, field, repaint);
}

bool TiComponent::SetFontProperty(const TiFont& newValue, TiFont& field, TiRepaintType repaint)
{
    if (newValue == field)
        return false;
    field = newValue;
    RequestRepaint(repaint);
    return true;
}

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
    if (value == m_autoFrameRate)
        return;
    m_autoFrameRate = value;
    if (value)
        BackGroundChange();
    else
        EndUpdate();
}

void TiComponent::SetUpdateFrameRate(int value) { SetIntegerProperty(value, m_updateFrameRate, irtBackGround); }

void TiComponent::SetBackGroundColor(TColor value) { SetColorProperty(value, m_backGroundColor, irtBackGround); }

void TiComponent::SetBackGroundPicture(const QImage& value)
{
    if (value == m_backGroundPicture)
        return;
    m_backGroundPicture = value;
    BackGroundChange();
}

void TiComponent::SetBorderStyle(TiBevelStyle value)
{
    if (value == m_borderStyle)
        return;
    m_borderStyle = value;
    BackGroundChange();
}

void TiComponent::SetCachedDrawing(bool value)
{
    if (value == m_cachedDrawing)
        return;
    m_cachedDrawing = value;
    if (!value)
        m_backGroundBitmap = QImage();
    BackGroundChange();
}

void TiComponent::SetOffsetX(int value) { SetIntegerProperty(value, m_offsetX, irtBackGround); }
void TiComponent::SetOffsetY(int value) { SetIntegerProperty(value, m_offsetY, irtBackGround); }
void TiComponent::SetErrorActive(bool value) { SetBooleanProperty(value, m_errorActive, irtBackGround); }
void TiComponent::SetErrorText(const QString& value) { SetStringProperty(value, m_errorText, irtBackGround); }
void TiComponent::SetErrorFont(const TiFont& value) { SetFontProperty(value, m_errorFont, irtInvalidate); }
void TiComponent::SetErrorBackGroundColor(TColor value) { SetColorProperty(value, m_errorBackGroundColor, irtBackGround); }

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
    m_backGroundChanged = false;
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
    const QSize size(std::max(1, width()), std::max(1, height()));
    if (m_backGroundChanged || m_backGroundBitmap.size() != size) {
        if (m_backGroundBitmap.size() != size)
            m_backGroundBitmap = QImage(size, QImage::Format_ARGB32_Premultiplied);
        m_backGroundBitmap.fill(Qt::transparent);
        {
            TiCanvas cache(m_backGroundBitmap);
            staticLayers(cache);
        }
        m_backGroundChanged = false;
    }
    canvas.Draw(0, 0, m_backGroundBitmap);
}

void TiComponent::PaintInto(QImage& image)
{
    bool failed = false;
    QString message;
    {
        TiCanvas canvas(image);
        canvas.Brush.Style = bsSolid;
        canvas.Pen.Style = psSolid;
        try {
            iPaintTo(canvas);
        } catch (const std::exception& error) {
            failed = true;
            message = QString::fromStdString(error.what());
        }
        if (!failed)
            emit OnPaintOverlay(canvas);
    }
    if (!failed)
        return;
    TiCanvas canvas(image);
    canvas.Brush = TiBrush{clBlack, bsSolid};
    canvas.FillRect(TiRect{0, 0, image.width(), image.height()});
    canvas.Brush.Style = bsClear;
    canvas.Font.Color = clWhite;
    canvas.DrawText(TiRect{0, 0, image.width(), image.height()}, message, itfLeft | itfTop | itfWordBreak | itfNoPrefix);
    emit OnPaintOverlay(canvas);
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
            w.m_backGroundChanged = rebuild || w.m_backGroundChanged;
            w.Unlock();
        }
    };
    Lock();
    const Restore restore{*this, m_cachedDrawing, m_backGroundChanged};
    m_cachedDrawing = false;
    iPaintTo(canvas);
}

QImage TiComponent::NewPaintImage() const
{
    QImage image(std::max(1, width()), std::max(1, height()), QImage::Format_ARGB32_Premultiplied);
    image.fill(PaintImageFill());
    return image;
}

QImage TiComponent::RenderToImage()
{
    QImage image = NewPaintImage();
    Lock();
    PaintInto(image);
    Unlock();
    return image;
}

void TiComponent::paintEvent(QPaintEvent*)
{
    if (m_skipOwnPaint || width() <= 0 || height() <= 0)
        return;
    Lock();
    // One image serves every paint; only a new size allocates another.
    if (m_offScreen.size() != size())
        m_offScreen = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    m_offScreen.fill(PaintImageFill());
    PaintInto(m_offScreen);
    QPainter screen(this);
    screen.drawImage(0, 0, m_offScreen);
    Unlock();
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
