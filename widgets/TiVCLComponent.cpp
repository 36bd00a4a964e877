#include "widgets/TiVCLComponent.h"

#include "files/ReplacingFile.h"
#include "widgets/ImageCodecs.h"
#include "widgets/TiError.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QSvgGenerator>
#include <QTimer>

TiVCLComponent::TiVCLComponent(QWidget* parent) : TiComponent(parent)
{
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &TiVCLComponent::TimerTick);
}

TiVCLComponent::~TiVCLComponent()
{
    m_destroying = true;
    m_timer->stop();
}

// ---------------------------------------------------------------- lock

void TiVCLComponent::Lock()
{
    if (!m_destroying)
        m_lock.lock();
}

void TiVCLComponent::Unlock()
{
    if (!m_destroying)
        m_lock.unlock();
}

// ---------------------------------------------------------------- timer

bool TiVCLComponent::GetTimerRunning() const { return m_timer->isActive(); }

void TiVCLComponent::TimerStart(int initialDelay, int interval)
{
    if (m_timer->isActive())
        return;
    m_interval = interval;
    if (initialDelay != 0) {
        m_firstTick = true;
        m_timer->start(initialDelay);
    } else if (interval != 0) {
        m_firstTick = false;
        m_timer->start(interval);
    }
}

void TiVCLComponent::TimerStop() { m_timer->stop(); }

void TiVCLComponent::TimerTick()
{
    if (m_firstTick) {
        m_firstTick = false;
        if (m_interval > 0)
            m_timer->start(m_interval);
        else
            m_timer->stop();
    }
    emit TimerHook();
}

// ---------------------------------------------------------------- transparency

void TiVCLComponent::SetTransparent(bool value)
{
    if (value == m_transparent)
        return;
    m_transparent = value;
    setAttribute(Qt::WA_OpaquePaintEvent, !value);
    BackGroundChange();
}

QImage TiVCLComponent::CaptureBeneath(double pixelRatio)
{
    QImage beneath = NewPaintImage(pixelRatio);
    beneath.fill(tiToQColor(BackGroundColor()));
    QWidget* parent = parentWidget();
    if (!parent)
        return beneath;
    // The parent draws our area with its other children; our own paint
    // stays out of it.
    m_skipOwnPaint = true;
    parent->render(&beneath, QPoint(0, 0), QRegion(geometry()), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    m_skipOwnPaint = false;
    return beneath;
}

QColor TiVCLComponent::PaintImageFill() const
{
    return m_transparent ? QColor(Qt::transparent) : TiComponent::PaintImageFill();
}

QImage TiVCLComponent::RenderToImage(double pixelRatio)
{
    if (!m_transparent)
        return TiComponent::RenderToImage(pixelRatio);
    QImage image = CaptureBeneath(pixelRatio);
    const PaintLock lock(*this);
    PaintInto(image);
    return image;
}

void TiVCLComponent::DrawBackGround(TiCanvas& canvas, TColor color)
{
    // A transparent widget leaves its background to what lies beneath.
    if (!m_transparent && !m_skipBackGround)
        TiComponent::DrawBackGround(canvas, color);
}

void TiVCLComponent::iPaintToDC(int x, int y, QPainter& painter, bool skipBackGround)
{
    // Painter state and the background flag come back however the paint ends.
    struct Restore {
        QPainter& painter;
        bool& skipBackGround;
        ~Restore()
        {
            skipBackGround = false;
            painter.restore();
        }
    };
    painter.save();
    const Restore restore{painter, m_skipBackGround};
    painter.translate(x, y);
    painter.setClipRect(QRect(0, 0, width(), height()), Qt::IntersectClip);
    m_skipBackGround = skipBackGround;
    TiCanvas canvas(painter);
    PaintUncached(canvas);
}

// ---------------------------------------------------------------- export

namespace {

void writeFile(const QString& fileName, const QByteArray& bytes)
{
    ReplacingFile file;
    if (!file.open(QFile::encodeName(fileName).toStdString()) || !file.write({bytes.constData(), std::size_t(bytes.size())})
        || !file.commit())
        throw TiError(QStringLiteral("Cannot write file %1: %2").arg(fileName, QString::fromStdString(file.reason())));
}

} // namespace

void TiVCLComponent::SaveImageToBitmap(const QString& fileName)
{
    writeFile(fileName, EncodeBmp(RenderToImage()));
}

void TiVCLComponent::SaveImageToMetaFile(const QString& fileName)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size());
        svg.setViewBox(QRect(QPoint(0, 0), size()));
        svg.setTitle(objectName());
        QPainter painter(&svg);
        TiCanvas canvas(painter);
        PaintUncached(canvas);
    }
    writeFile(fileName, bytes);
}

void TiVCLComponent::SaveImageToJPEG(const QString& fileName, int compression, bool progressive)
{
    writeFile(fileName, EncodeJpeg(RenderToImage(), compression, progressive, false));
}

void TiVCLComponent::SaveImageToPNG(const QString& fileName, int compression)
{
    writeFile(fileName, EncodePng(RenderToImage(), compression));
}

QByteArray TiVCLComponent::GetBytesJPEG(int compression, bool progressive)
{
    return EncodeJpeg(RenderToImage(), compression, progressive, true);
}

QByteArray TiVCLComponent::GetBytesPNG(int compression)
{
    return EncodePng(RenderToImage(), compression);
}

QImage TiVCLComponent::GetJPEG(int compression, bool progressive)
{
    return DecodeJpeg(EncodeJpeg(RenderToImage(), compression, progressive, false));
}
