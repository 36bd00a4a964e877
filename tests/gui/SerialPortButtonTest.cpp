#include "app/FontSubstitutions.h"
#include "app/TForm1.h"
#include "link/ConsolePort.h"
#include "link/QtSerialPort.h"
#include "widgets/TiLabel.h"
#include "support/FakeSerialPort.h"
#include "support/LoopbackPeer.h"
#include "support/PtyPair.h"
#include "support/RecordingMessageBoxes.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

const char* const kPortBoxes[] = {"rdCOM", "baudrate", "databits", "parity", "stopbits"};

// A window on a real serial port (or a scripted one), clicked like an operator.
struct Window {
    explicit Window(std::unique_ptr<SerialPort> port = std::make_unique<QtSerialPort>())
    {
        installFontSubstitutions();
        auto recording = std::make_unique<RecordingMessageBoxes>();
        boxes = recording.get();
        form = std::make_unique<TForm1>(std::move(port), std::move(recording));
        form->show();
    }

    void click() { QTest::mouseClick(&form->control<QAbstractButton>("Button1"), Qt::LeftButton); }
    void openOn(const std::string& device)
    {
        form->setText("rdCOM", device);
        click();
    }
    std::string caption() const { return form->text("Button1"); }
    bool enabled(const char* name) const { return form->findChild<QComboBox*>(name)->isEnabled(); }
    bool timersOn() const { return form->timer1().isActive() && form->timer2().isActive(); }
    bool timersOff() const { return !form->timer1().isActive() && !form->timer2().isActive(); }

    RecordingMessageBoxes* boxes = nullptr;
    std::unique_ptr<TForm1> form;
};

// Waits (bounded) for bytes written at one end to show up at the other.
long waitForBytes(SerialPort& port, long wanted)
{
    for (int i = 0; i < 200 && port.bytesWaiting() < wanted; ++i)
        QTest::qWait(5);
    return port.bytesWaiting();
}

class SerialPortButtonTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(pty.ok()); }
    PtyPair pty;
};

TEST_F(SerialPortButtonTest, InitialPortTextOpensNothing)
{
    Window w;
    w.click();
    ASSERT_EQ(w.boxes->messages().size(), 1u);
    EXPECT_EQ(w.boxes->last().text, "Open Port Error!!");
    EXPECT_EQ(w.boxes->last().caption, "Comm Error");
    EXPECT_EQ(w.caption(), "Open");
    EXPECT_FALSE(w.form->port().isOpen());
    EXPECT_TRUE(w.enabled("rdCOM"));
    EXPECT_FALSE(w.enabled("baudrate"));
    EXPECT_TRUE(w.timersOn()) << "a failed open leaves the start-up timers alone";
}

TEST_F(SerialPortButtonTest, OpensTheDeviceAtTheRateShownAndTalksThroughIt)
{
    Window w;
    w.form->setText("baudrate", "19200");
    w.openOn(pty.first());

    EXPECT_TRUE(w.boxes->empty()) << w.boxes->last().text;
    EXPECT_EQ(w.caption(), "Close");
    EXPECT_TRUE(w.form->port().isOpen());
    for (const char* name : kPortBoxes)
        EXPECT_FALSE(w.enabled(name)) << name;
    EXPECT_TRUE(w.timersOn());

    LineSettings settings;
    ASSERT_TRUE(w.form->port().getSettings(settings));
    EXPECT_EQ(settings.baudRate, 19200);
    EXPECT_EQ(settings.dataBits, 8);

    // Only this test talks on the line.
    w.form->timer2().stop();
    QtSerialPort peer;
    ASSERT_TRUE(peer.open(pty.second()));
    const std::uint8_t frame[] = {0x01, 0x03, 0x00, 0x00, 0x00, 0x2C, 0x44, 0x17};
    ASSERT_EQ(w.form->port().write(frame, sizeof frame), long(sizeof frame));
    EXPECT_EQ(waitForBytes(peer, sizeof frame), long(sizeof frame));
}

TEST_F(SerialPortButtonTest, ParityAndStopBitsShownAreNotApplied)
{
    Window w;
    w.form->setText("parity", "EVEN");
    w.form->setText("stopbits", "2");
    w.openOn(pty.first());
    ASSERT_EQ(w.caption(), "Close");
    LineSettings settings;
    ASSERT_TRUE(w.form->port().getSettings(settings));
    EXPECT_EQ(settings.parity, Parity::None);
    EXPECT_EQ(settings.stopBits, StopBits::One);
    EXPECT_EQ(settings.baudRate, 9600);
}

TEST_F(SerialPortButtonTest, ADeviceOpenInThisProcessCannotBeOpenedAgain)
{
    Window first;
    first.openOn(pty.first());
    ASSERT_EQ(first.caption(), "Close");

    Window second;
    second.openOn(pty.first());
    ASSERT_EQ(second.boxes->messages().size(), 1u);
    EXPECT_EQ(second.boxes->last().text, "Open Port Error!!");
    EXPECT_EQ(second.boxes->last().caption, "Comm Error");
    EXPECT_EQ(second.caption(), "Open");
    EXPECT_EQ(first.caption(), "Close");
}

TEST_F(SerialPortButtonTest, CloseReleasesThePortEnablesAllBoxesAndStopsTheTimers)
{
    Window w;
    w.openOn(pty.first());
    ASSERT_EQ(w.caption(), "Close");
    w.click();

    EXPECT_TRUE(w.boxes->empty());
    EXPECT_EQ(w.caption(), "Open");
    EXPECT_FALSE(w.form->port().isOpen());
    for (const char* name : kPortBoxes)
        EXPECT_TRUE(w.enabled(name)) << name;
    EXPECT_TRUE(w.timersOff());
    EXPECT_TRUE(w.form->timer3().isActive()) << "the self-check lamp timer never stops";
    const QFont font = w.form->control<QAbstractButton>("Button1").font();
    EXPECT_EQ(font.family(), QString::fromUtf8("隶书"));
    EXPECT_EQ(font.pixelSize(), 19);

    QtSerialPort other;
    EXPECT_TRUE(other.open(pty.first())) << "the device is free again";
    other.close();

    // And it opens again from the closed state.
    w.click();
    EXPECT_EQ(w.caption(), "Close");
    EXPECT_TRUE(w.timersOn());
}

TEST_F(SerialPortButtonTest, NonNumericRateOpensNothingAndTheNextClickStillWorks)
{
    Window w;
    w.form->setText("baudrate", "fast");
    w.openOn(pty.first());

    ASSERT_EQ(w.boxes->messages().size(), 1u);
    EXPECT_EQ(w.boxes->last().text, "'fast' is not a valid integer value.");
    EXPECT_EQ(w.boxes->last().caption, QCoreApplication::applicationName().toStdString());
    EXPECT_EQ(w.caption(), "Open");
    EXPECT_FALSE(w.form->port().isOpen());
    QtSerialPort other;
    EXPECT_TRUE(other.open(pty.first())) << "nothing holds the device";
    other.close();

    w.form->setText("databits", "8 bits");
    w.form->setText("baudrate", "9600");
    w.click();
    ASSERT_EQ(w.boxes->messages().size(), 2u);
    EXPECT_EQ(w.boxes->last().text, "'8 bits' is not a valid integer value.");
    EXPECT_FALSE(w.form->port().isOpen());

    w.form->setText("databits", "8");
    w.click();
    EXPECT_EQ(w.boxes->messages().size(), 2u);
    EXPECT_EQ(w.caption(), "Close");
}

TEST_F(SerialPortButtonTest, RejectedLineSettingsCloseThePortAndStopTheTimers)
{
    // Four data bits is a number, but no serial line takes it.
    Window w;
    w.form->setText("databits", "4");
    w.openOn(pty.first());
    ASSERT_EQ(w.boxes->messages().size(), 1u);
    EXPECT_EQ(w.boxes->last().text, "通信端口设置错误!!!");
    EXPECT_EQ(w.boxes->last().caption, "Set Error");
    EXPECT_EQ(w.caption(), "Open");
    EXPECT_FALSE(w.form->port().isOpen());
    EXPECT_TRUE(w.timersOff());
    EXPECT_FALSE(w.enabled("baudrate")) << "the boxes stay as they were";
}

TEST_F(SerialPortButtonTest, PortIsClosedBeforeTheSettingsErrorIsShown)
{
    auto fake = std::make_unique<FakeSerialPort>();
    FakeSerialPort* port = fake.get();
    port->setRejectSettings(true);
    Window w(std::move(fake));
    bool openWhileShown = true;
    bool timersWhileShown = true;
    w.boxes->whileOpen = [&](const RecordingMessageBoxes::Message&) {
        openWhileShown = port->isOpen();
        timersWhileShown = w.form->timer2().isActive();
    };
    w.openOn("COM1");
    ASSERT_EQ(w.boxes->last().caption, "Set Error");
    EXPECT_FALSE(openWhileShown);
    EXPECT_FALSE(timersWhileShown);
}

} // namespace

namespace {

// A network name opens through the same button: a refused connection is the
// usual box with the reason on the strip, a listening peer opens, and the
// line-setting boxes stay locked while a network name is in the port box.
TEST_F(SerialPortButtonTest, NetworkNamesOpenThroughTheSameButtonWithoutLineSettings)
{
    Window w(std::make_unique<ConsolePort>());
    LoopbackPeer peer;
    const std::string name = peer.name("socket");
    LoopbackPeer gone;
    const std::string refused = gone.name("tcp");
    gone.stopListening();

    w.openOn(refused);
    EXPECT_EQ(w.caption(), "Open");
    ASSERT_EQ(w.boxes->messages().size(), 1u);
    EXPECT_EQ(w.boxes->messages()[0].text, "Open Port Error!!");
    EXPECT_EQ(w.boxes->messages()[0].caption, "Comm Error");
    EXPECT_TRUE(w.form->control<TiLabel>("iLabel1").Caption().contains("refused"))
        << w.form->control<TiLabel>("iLabel1").Caption().toStdString();

    w.openOn(name);
    ASSERT_EQ(w.caption(), "Close");
    EXPECT_TRUE(w.timersOn());
    w.click();
    EXPECT_TRUE(w.enabled("rdCOM"));
    for (const char* name : {"baudrate", "databits", "parity", "stopbits"})
        EXPECT_FALSE(w.enabled(name)) << name << " with a network name";
    w.form->setText("rdCOM", pty.first());
    for (const char* name : kPortBoxes)
        EXPECT_TRUE(w.enabled(name)) << name << " with a serial device";
}

} // namespace
