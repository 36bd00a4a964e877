#include "gui/LiveHarness.h"

#include <QImage>
#include <QTabWidget>

#include <gtest/gtest.h>

// The RealTimeData sheet as it is drawn. With HX_SNAPSHOT_DIR set the picture
// is also written there (LiveSheet.png) for a look at the layout.
TEST(LiveSnapshot, SheetDrawsThePanelPictureWhereImage1Lies)
{
    LiveHarness h;
    h.form->pages().setCurrentIndex(1);
    h.form->show();
    h.form->setWidgetProperty("iAnalogOutput5", "Value", 48.3);
    const QImage shot = h.form->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    if (const QByteArray dir = qgetenv("HX_SNAPSHOT_DIR"); !dir.isEmpty())
        shot.save(QString::fromLocal8Bit(dir) + "/LiveSheet.png");

    // The fan grille's dark well lies left of the picture's top, the control
    // plate is light: both must show through at their window positions.
    const QWidget& image = h.find("Image1");
    const QPoint origin = image.mapTo(h.form.get(), QPoint(0, 0));
    EXPECT_LT(qGray(shot.pixel(origin + QPoint(44, 40))), 110);
    EXPECT_GT(qGray(shot.pixel(origin + QPoint(20, 300))), 120);
}

