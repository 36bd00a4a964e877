#include "app/PortComboBox.h"

#include <QAbstractItemView>

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(PortComboBoxTest, PortNamesAreTypedInUpperCaseButDevicePathsAsTyped)
{
    PortComboBox combo;
    combo.setEditText("");
    QTest::keyClicks(combo.lineEdit(), "com3");
    EXPECT_EQ(combo.currentText(), "COM3");

    combo.setEditText("");
    QTest::keyClicks(combo.lineEdit(), "/dev/ttyUSB0");
    EXPECT_EQ(combo.currentText(), "/dev/ttyUSB0");
}

TEST(PortComboBoxTest, RefreshOffersNewPortsAndKeepsTheTypedText)
{
    PortComboBox combo;
    combo.addItems({"COM1", "COM2"});
    combo.setCurrentIndex(-1);
    combo.setEditText("COM");
    QStringList offered{"COM1", "COM2", "/dev/ttyUSB0"};
    combo.setItemSource([&] { return offered; });

    combo.refreshItems();
    ASSERT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.itemText(2), "/dev/ttyUSB0");
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_EQ(combo.currentText(), "COM");

    // A picked port stays picked while it is offered.
    combo.setCurrentIndex(2);
    offered = {"COM1", "/dev/ttyUSB0"};
    combo.refreshItems();
    EXPECT_EQ(combo.currentIndex(), 1);
    EXPECT_EQ(combo.currentText(), "/dev/ttyUSB0");

    // An unplugged one leaves its text but is no longer an item.
    offered = {"COM1"};
    combo.refreshItems();
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_EQ(combo.currentText(), "/dev/ttyUSB0");
}

TEST(PortComboBoxTest, DropDownRefreshesTheList)
{
    PortComboBox combo;
    int asked = 0;
    combo.setItemSource([&] {
        ++asked;
        return QStringList{"COM1", "/dev/pts/9 (simulator)"};
    });
    combo.resize(70, 22);
    combo.showPopup();
    combo.hidePopup();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(combo.count(), 2);
    EXPECT_GT(combo.view()->minimumWidth(), combo.fontMetrics().horizontalAdvance("/dev/pts/9 (simulator)"))
        << "the list is wide enough to read a device path whole";

    combo.setEditText("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    EXPECT_EQ(combo.toolTip(), combo.currentText()) << "the narrow box names the whole device in its tip";
}

} // namespace
