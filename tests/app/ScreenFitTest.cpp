#include "app/ScreenFit.h"

#include <QScrollArea>
#include <QWidget>

#include <gtest/gtest.h>

TEST(ScreenFit, TheWindowScrollsOnlyWhereTheFreeAreaIsSmaller)
{
    struct Case {
        QRect available;
        bool fits;
        QSize frame;
    };
    const QSize window(815, 634);
    const Case cases[] = {
        {QRect(0, 0, 1600, 1000), true, QSize(815 + 17, 634 + 17)},
        {QRect(0, 0, 815, 634), true, QSize(815, 634)},
        {QRect(0, 32, 800, 468), false, QSize(800, 468)},   // 1600 x 1000 at scale factor 2, under a panel
        {QRect(0, 0, 1024, 600), false, QSize(832, 600)},
        {QRect(0, 0, 814, 900), false, QSize(814, 651)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScreenFit::fits(window, c.available), c.fits) << c.available.width() << "x" << c.available.height();
        EXPECT_EQ(ScreenFit::frameSize(window, c.available, 17), c.frame);
    }
}

TEST(ScreenFit, ALargeEnoughScreenGetsTheWindowItselfASmallOneAScrollingFrame)
{
    auto window = std::make_unique<QWidget>();
    window->setFixedSize(815, 634);
    window->setWindowTitle("Test GUI For DC Heat Exchanger");
    QWidget* raw = window.get();
    auto same = ScreenFit::fitted(std::move(window), QRect(0, 0, 1600, 1000));
    EXPECT_EQ(same.get(), raw);

    auto framed = ScreenFit::fitted(std::move(same), QRect(0, 0, 800, 468));
    auto* frame = qobject_cast<QScrollArea*>(framed.get());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->widget(), raw);
    EXPECT_EQ(frame->windowTitle(), "Test GUI For DC Heat Exchanger");
    EXPECT_EQ(frame->size(), QSize(800, 468));
    EXPECT_EQ(raw->size(), QSize(815, 634));
}
