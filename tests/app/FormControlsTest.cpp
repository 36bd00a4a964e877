#include "support/FormHarness.h"

#include "widgets/TiAnalogOutput.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

class FormControlsTest : public ::testing::Test {
protected:
    FormHarness h;
    TForm1& form = *h.form;
};

TEST_F(FormControlsTest, TextOfEditsCombosAndButtons)
{
    form.setText("Edit12", "1500");
    EXPECT_EQ(h.form->findChild<QLineEdit*>("Edit12")->text(), "1500");
    EXPECT_EQ(form.text("Edit12"), "1500");

    form.setText("baudrate", "19200");
    EXPECT_EQ(form.text("baudrate"), "19200");
    EXPECT_EQ(form.itemIndex("baudrate"), 3) << "the item shown is the item sent";
    form.setText("baudrate", "19201");
    EXPECT_EQ(form.itemIndex("baudrate"), -1) << "text of no item selects nothing";

    EXPECT_EQ(form.text("Button1"), "Open");
    form.setText("Button5", "Read");
    EXPECT_EQ(form.text("Button5"), "Read");

    form.setControlText("SWV", "V1.02");
    EXPECT_EQ(form.text("SWV"), "V1.02");
    form.setText("Edit4", "\xe2\x84\x83 25");
    EXPECT_EQ(form.text("Edit4"), "\xe2\x84\x83 25") << "UTF-8 survives the round trip";
}

TEST_F(FormControlsTest, UnknownControlIsAnError)
{
    EXPECT_THROW(form.text("Edit99"), std::logic_error);
    EXPECT_THROW(form.setText("Edit99", "1"), std::logic_error);
    EXPECT_THROW(form.itemIndex("Edit12"), std::logic_error) << "an edit has no item index";
}

TEST_F(FormControlsTest, ComboIndexSelectsOrClears)
{
    form.setComboIndex("ComboBox1", 1);
    EXPECT_EQ(form.itemIndex("ComboBox1"), 1);
    EXPECT_EQ(form.text("ComboBox1"), "Enable");

    form.setComboIndex("ComboBox7", 0);
    EXPECT_EQ(form.text("ComboBox7"), "NO");

    form.setComboIndex("ComboBox1", 1);
    form.setText("ComboBox1", "");
    EXPECT_EQ(form.itemIndex("ComboBox1"), -1) << "an emptied box sends no hidden selection";

    for (int outside : {2, -1, 255}) {
        form.setComboIndex("ComboBox1", outside);
        EXPECT_EQ(form.itemIndex("ComboBox1"), -1) << outside;
        EXPECT_EQ(form.text("ComboBox1"), "") << outside;
    }
}

// A misspelt widget or property name fails where it is used, and never
// leaves a made-up property behind on the widget.
TEST_F(FormControlsTest, MisspeltWidgetOrPropertyFailsLoudly)
{
    form.setWidgetProperty("iAngularGauge1", "Position", 1500);
    EXPECT_DOUBLE_EQ(form.widgetProperty("iAngularGauge1", "Position"), 1500);

    const struct {
        const char* widget;
        const char* property;
    } misspelt[] = {
        {"iAngularGauge1", "Positon"},
        {"iAngularGuage1", "Position"},
        {"Edit12", "Position"},
        {"iLedRound1", "active"},
    };
    for (const auto& m : misspelt) {
        SCOPED_TRACE(std::string(m.widget) + "." + m.property);
        EXPECT_THROW(form.setWidgetProperty(m.widget, m.property, 1), std::logic_error);
        EXPECT_THROW(form.widgetProperty(m.widget, m.property), std::logic_error);
        if (QObject* target = h.form->findChild<QObject*>(m.widget)) {
            EXPECT_TRUE(target->dynamicPropertyNames().isEmpty());
        }
    }
    EXPECT_THROW(form.control<QLineEdit>("ComboBox1"), std::logic_error) << "a combo box is not an edit";
}

// The engine's path: a name that fails inside a tick shows its error in a
// box under the application title, and the timers carry on.
TEST_F(FormControlsTest, MisspeltNameInsideAHandlerIsShown)
{
    form.guarded([&] { form.setWidgetProperty("iOdometer9", "Value", 1); });
    ASSERT_EQ(h.boxes->messages().size(), 1u);
    EXPECT_EQ(h.boxes->last().text, "No control named iOdometer9");
}

TEST_F(FormControlsTest, TabTimerWindowSizeAndMessages)
{
    EXPECT_EQ(form.currentTab(), 0);
    form.pages().setCurrentIndex(2);
    EXPECT_EQ(form.currentTab(), 2);

    form.setTimer2Interval(300);
    EXPECT_EQ(form.timer2().interval(), 300);
    EXPECT_EQ(form.findChild<QTimer*>("Timer2"), &form.timer2());

    form.setWindowSize(810, 646);
    EXPECT_EQ(form.frameGeometry().size(), QSize(810, 646));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());

    form.showMessage("Set Successfully!", "Set Intfan1");
    ASSERT_EQ(h.boxes->messages().size(), 1u);
    EXPECT_EQ(h.boxes->last().text, "Set Successfully!");
    EXPECT_EQ(h.boxes->last().caption, "Set Intfan1");
}

TEST_F(FormControlsTest, GuardShowsAnEscapedErrorAndCarriesOn)
{
    bool after = false;
    form.guarded([] { throw std::runtime_error("'abc' is not a valid integer value."); });
    form.guarded([&] { after = true; });
    ASSERT_EQ(h.boxes->messages().size(), 1u);
    EXPECT_EQ(h.boxes->last().text, "'abc' is not a valid integer value.");
    EXPECT_EQ(h.boxes->last().caption, QCoreApplication::applicationName().toStdString());
    EXPECT_TRUE(after);
}

} // namespace

TEST_F(FormControlsTest, ReadoutConversionErrorReachesTheMessageBoxes)
{
    auto* readout = form.findChild<TiAnalogOutput*>();
    ASSERT_NE(readout, nullptr);
    readout->setEnabled(true);
    readout->SetUndoOnError(false);
    readout->SetFilterStyle(ifisNone);
    readout->SelectAll();
    for (Qt::Key key : {Qt::Key_X, Qt::Key_Y, Qt::Key_Z, Qt::Key_Return}) {
        const QString text = key == Qt::Key_Return ? QStringLiteral("\r") : QKeySequence(key).toString().toLower();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(readout, &press);
    }
    ASSERT_EQ(h.boxes->messages().size(), 1u);
    EXPECT_EQ(h.boxes->last().text, "'xyz' is not a valid floating point value.");
    EXPECT_EQ(h.boxes->last().caption, QCoreApplication::applicationName().toStdString());
}
