#include "app/ScreenFit.h"

#include <QScrollArea>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace ScreenFit {

bool fits(QSize window, QRect available)
{
    return window.width() <= available.width() && window.height() <= available.height();
}

QSize frameSize(QSize window, QRect available, int scrollBarExtent)
{
    return {std::min(window.width() + scrollBarExtent, available.width()),
            std::min(window.height() + scrollBarExtent, available.height())};
}

std::unique_ptr<QWidget> fitted(std::unique_ptr<QWidget> window, QRect available)
{
    if (available.isEmpty() || fits(window->size(), available))
        return window;
    auto frame = std::make_unique<QScrollArea>();
    frame->setObjectName(QStringLiteral("ScreenFitFrame"));
    frame->setWindowTitle(window->windowTitle());
    frame->setWindowIcon(window->windowIcon());
    frame->setWidgetResizable(false);
    const QSize size = window->size();
    frame->setWidget(window.release());
    const int extent = frame->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2 * frame->frameWidth();
    frame->resize(frameSize(size, available, extent));
    frame->move(available.topLeft());
    return frame;
}

}
