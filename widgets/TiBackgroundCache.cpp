#include "widgets/TiBackgroundCache.h"

void TiBackgroundCache::Release()
{
    m_image = QImage();
    m_changed = true;
}

void TiBackgroundCache::Draw(TiCanvas& canvas, QSize size, double pixelRatio,
                             const std::function<void(TiCanvas&)>& staticLayers)
{
    const QSize pixels = (QSizeF(size) * pixelRatio).toSize();
    if (m_changed || m_image.size() != pixels) {
        if (m_image.size() != pixels)
            m_image = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        m_image.setDevicePixelRatio(pixelRatio);
        m_image.fill(Qt::transparent);
        {
            TiCanvas cache(m_image);
            staticLayers(cache);
        }
        m_changed = false;
    }
    canvas.Draw(0, 0, m_image);
}
