#pragma once

#include "widgets/TiComponent.h"

#include <QImage>
#include <mutex>

class QTimer;

// Adds the paint lock, the one-shot-then-repeating timer, transparency and
// image export.
//
// Transparency: a transparent widget is not opaque to Qt, so the parent and
// the siblings below paint its area first; its off-screen image starts fully
// transparent, the background is left out, and the one blit lays the drawing
// over what lies beneath. Exports of a transparent widget start from a render
// of what lies beneath instead.
class TiVCLComponent : public TiComponent {
    Q_OBJECT
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)

public:
    explicit TiVCLComponent(QWidget* parent = nullptr);
    ~TiVCLComponent() override;

    bool Transparent() const { return m_transparent; }
    virtual void SetTransparent(bool value);
    // What lies beneath the widget, as the parent and the siblings below
    // draw it (background colour when there is no parent).
    QImage CaptureBeneath(double pixelRatio = 1.0);
    QImage RenderToImage(double pixelRatio = 1.0) override;

    // Paints the widget into someone else's painter (printing, composing)
    // with its (0, 0) at (x, y), clipped to its size, without the cache; with
    // skipBackGround the background is left to what the painter holds.
    void iPaintToDC(int x, int y, QPainter& painter, bool skipBackGround);

    // Re-entrant: held for each paint and export render.
    void Lock() override;
    void Unlock() override;

    bool GetTimerRunning() const override;
    // Fires TimerHook after initialDelay ms, then every interval ms; with no
    // delay it starts at interval; does nothing while running or with both 0.
    void TimerStart(int initialDelay, int interval) override;
    void TimerStop() override;
    int Interval() const { return m_interval; }

    // Image export of the widget's picture. Files are written only after the
    // image has been encoded; a bad quality or level raises TiError.
    void SaveImageToBitmap(const QString& fileName);
    // Our vector form is SVG.
    void SaveImageToMetaFile(const QString& fileName);
    void SaveImageToJPEG(const QString& fileName, int compression, bool progressive);
    void SaveImageToPNG(const QString& fileName, int compression);
    QByteArray GetBytesJPEG(int compression, bool progressive);
    QByteArray GetBytesPNG(int compression);
    // The JPEG-encoded picture decoded again, as the viewer would show it.
    QImage GetJPEG(int compression, bool progressive);

signals:
    void TimerHook();

protected:
    void DrawBackGround(TiCanvas& canvas, TColor color) override;
    QColor PaintImageFill() const override;

private:
    void TimerTick();

    bool m_transparent = false;
    bool m_skipBackGround = false;
    std::recursive_mutex m_lock;
    bool m_destroying = false;
    QTimer* m_timer = nullptr;
    bool m_firstTick = false;
    int m_interval = 0;
};
