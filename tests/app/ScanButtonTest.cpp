// "Scan..." on the real window over a scripted line: where it sits, what it
// refuses, how it keeps the port to itself and what choosing an address does.
#include "support/FakeController.h"
#include "support/FormHarness.h"

#include "app/ScanDialog.h"
#include "link/LinkState.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QProgressBar>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <cstring>

namespace {

class ScanButton : public ::testing::Test {
protected:
    ScanButton()
    {
        controller.address = 5;
        const char text[18] = "HX-T";
        for (std::size_t k = 0; k < 9; ++k)
            controller.input[15 + k] = static_cast<std::uint16_t>((static_cast<unsigned char>(text[2 * k]) << 8)
                                                                  | static_cast<unsigned char>(text[2 * k + 1]));
        h.port->setResponder(controller.responder());
        h.form->setScanClock([this] { return nowMs; });
    }

    void openPort()
    {
        h.form->core().open("fake", 9600, 8);
    }
    void click(const char* button) { h.form->findChild<QAbstractButton*>(button)->click(); }
    // One step of the dialog's timer, then the line and the clock move on.
    void step(ScanDialog& dialog)
    {
        dialog.step();
        h.port->advance();
        nowMs += ScanDialog::kStepMs;
    }
    void runToEnd(ScanDialog& dialog)
    {
        for (int i = 0; i < 100000 && h.form->scanning(); ++i)
            step(dialog);
    }
    static void setRange(ScanDialog& dialog, int from, int to)
    {
        dialog.findChild<QSpinBox*>("ScanFrom")->setValue(from);
        dialog.findChild<QSpinBox*>("ScanTo")->setValue(to);
    }

    FormHarness h;
    FakeController controller;
    std::int64_t nowMs = 0;
};

TEST_F(ScanButton, SitsInTheFreeStripRightOfTheGroups)
{
    h.form->show();
    const QWidget* sheet = h.form->findChild<QWidget*>("Configuration");
    const auto* button = h.form->findChild<QAbstractButton*>("ScanBus");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->parentWidget(), sheet);
    EXPECT_EQ(button->text(), "Scan...");
    EXPECT_TRUE(sheet->rect().contains(button->geometry()));
    EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + 6, button->width()) << "caption cut";
    for (const QWidget* other : sheet->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other != button && other->isVisible()) {
            EXPECT_FALSE(other->geometry().intersects(button->geometry())) << other->objectName().toStdString();
        }
    }
    EXPECT_EQ(h.form->size(), QSize(815, 634));
}

TEST_F(ScanButton, RefusesWithoutAPortOrWhileACommandRuns)
{
    int dialogs = 0;
    h.form->setScanDialogRunner([&](ScanDialog&) { ++dialogs; });
    click("ScanBus");
    EXPECT_EQ(h.boxes->last().text, "ComPort Not Open!!");
    EXPECT_EQ(h.boxes->last().caption, "Comm Error");

    openPort();
    click("BitBtn1");   // Read All queued
    click("ScanBus");
    EXPECT_EQ(h.boxes->last().text, "Systerm Busy,Please Wait");
    EXPECT_EQ(h.boxes->last().caption, "Scan");
    EXPECT_EQ(dialogs, 0);
}

TEST_F(ScanButton, FindsTheControllerKeepsThePortToItselfAndSetsTheChosenAddress)
{
    openPort();
    h.form->setText("Edit17", "1");
    h.form->setScanDialogRunner([&](ScanDialog& dialog) {
        setRange(dialog, 1, 8);
        dialog.start();
        EXPECT_TRUE(h.form->scanning());
        EXPECT_EQ(h.form->linkState().LinkBusy, 1);

        // Other commands are refused and the engine sends nothing meanwhile.
        const std::size_t boxes = h.boxes->messages().size();
        click("Button5");
        EXPECT_EQ(h.boxes->messages().size(), boxes + 1);
        EXPECT_EQ(h.boxes->last().text, "Systerm Busy,Please Wait");
        for (int i = 0; i < 200 && h.form->scanning(); ++i) {
            const std::size_t sent = h.port->written().size();
            h.form->Timer2Timer();
            EXPECT_EQ(h.port->written().size(), sent);
            step(dialog);
        }
        runToEnd(dialog);
        EXPECT_EQ(h.form->linkState().LinkBusy, 0);
        EXPECT_EQ(h.form->linkState().CommandCode, Command::None);

        const auto* list = dialog.findChild<QListWidget*>("ScanFound");
        ASSERT_EQ(list->count(), 1);
        EXPECT_EQ(list->item(0)->text(), "5\tHX-T");
        const auto* progress = dialog.findChild<QProgressBar*>("ScanProgress");
        EXPECT_EQ(progress->value(), progress->maximum());
        dialog.findChild<QAbstractButton*>("ScanUse")->click();
    });
    click("ScanBus");

    // Only reads went out, one per address and one firmware read.
    ASSERT_EQ(h.port->written().size(), 9u);
    for (const auto& frame : h.port->written())
        EXPECT_TRUE(frame.at(1) == 0x03 || frame.at(1) == 0x04);
    EXPECT_EQ(h.form->text("Edit17"), "5");
    EXPECT_EQ(h.form->linkState().SlaveAddress, 5u);
    EXPECT_FALSE(h.form->scanning());
}

TEST_F(ScanButton, CancelStopsTheScanAndGivesThePortBack)
{
    openPort();
    h.form->setScanDialogRunner([&](ScanDialog& dialog) {
        dialog.start();
        for (int i = 0; i < 100; ++i)
            step(dialog);
        dialog.findChild<QAbstractButton*>("ScanCancel")->click();
        EXPECT_FALSE(h.form->scanning());
        EXPECT_EQ(h.form->linkState().LinkBusy, 0);
        EXPECT_EQ(dialog.findChild<QAbstractButton*>("ScanCancel")->text(), "Close");
        dialog.findChild<QAbstractButton*>("ScanCancel")->click();
    });
    click("ScanBus");
    EXPECT_LT(h.port->written().size(), 247u);
    EXPECT_EQ(h.form->text("Edit17"), "1");
    EXPECT_EQ(h.form->linkState().SlaveAddress, 1u);
}

}
