#pragma once

#include "widgets/TiComponent.h"

#include <QImage>
#include <mutex>

class QTimer;

// Adds the paint lock, the one-shot-then-repeating timer, transparency
// (showing the parent's pixels beneath the widget) and image export.
class TiVCLComponent : public TiComponent {
    Q_OBJECT
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)

public:
    explicit TiVCLComponent(QWidget* parent = nullptr);
    ~TiVCLComponent() override;

    bool Transparent() const { return m_transparent; }
    virtual void SetTransparent(bool value);
    // A new copy of what lies beneath is taken before the next paint.
    bool CaptureRequested() const { return m_captureRequested; }

    void RepaintAll() override;

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
    void iBoundsChanged() override;

private:
    void RequestCapture();
    void TakeCapture();
    void TimerTick();

    bool m_transparent = false;
    bool m_captureRequested = false;
    QImage m_parentCapture;
    std::recursive_mutex m_lock;
    bool m_destroying = false;
    QTimer* m_timer = nullptr;
    bool m_firstTick = false;
    int m_interval = 0;
};
