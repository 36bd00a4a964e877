// A serial adapter pulled and plugged in again under the real window, on
// pseudo-terminals: the device the operator typed is a link (as a stable
// /dev/serial/by-id name is) that leads to a terminal while the adapter is
// in and to nothing while it is out. The handlers are ticked by hand.
#include "app/FontSubstitutions.h"
#include "app/TForm1.h"
#include "link/Crc16.h"
#include "link/QtSerialPort.h"
#include "support/PtyPair.h"
#include "support/RecordingMessageBoxes.h"
#include "widgets/TiLabel.h"

#include <QComboBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdint>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <unistd.h>
#include <vector>

namespace {

class PortLossTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        plugIn();
        installFontSubstitutions();
        auto recorded = std::make_unique<RecordingMessageBoxes>();
        boxes = recorded.get();
        form = std::make_unique<TForm1>(std::make_unique<QtSerialPort>(), std::move(recorded));
        form->setText("rdCOM", device);
        form->Button1Click();
        ASSERT_EQ(form->text("Button1"), "Close") << boxes->last().text;
        form->pages().setCurrentIndex(1);
    }

    void plugIn()
    {
        adapter_ = std::make_unique<PtyPair>();
        ASSERT_TRUE(adapter_->ok());
        ASSERT_EQ(::symlink(adapter_->first().c_str(), device.c_str()), 0);
    }
    void pullOut()
    {
        adapter_->hangUp();
        ::unlink(device.c_str());
    }

    std::string status() const { return form->control<TiLabel>("iLabel1").Caption().toStdString(); }
    bool portBoxEnabled() const { return form->control<QComboBox>("rdCOM").isEnabled(); }
    // How many of the five port boxes are enabled.
    int portBoxesEnabled() const
    {
        int enabled = 0;
        for (const char* name : {"rdCOM", "baudrate", "databits", "parity", "stopbits"})
            enabled += form->control<QComboBox>(name).isEnabled() ? 1 : 0;
        return enabled;
    }

    // The first request the engine sends from now on, as the controller's
    // end of the line receives it (bounded wait).
    std::vector<std::uint8_t> nextRequest()
    {
        const int fd = ::open(adapter_->second().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        std::vector<std::uint8_t> request;
        for (int tick = 0; tick < 3 && request.empty(); ++tick)
            form->Timer2Timer();
        pollfd p{fd, POLLIN, 0};
        std::uint8_t buffer[64];
        while (request.size() < 8 && ::poll(&p, 1, 2000) == 1) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            request.insert(request.end(), buffer, buffer + n);
        }
        ::close(fd);
        return request;
    }

    QTemporaryDir folder_;
    const std::string device = folder_.filePath("usb-FTDI_FT232R_A1-if00-port0").toStdString();
    std::unique_ptr<PtyPair> adapter_;
    RecordingMessageBoxes* boxes = nullptr;
    std::unique_ptr<TForm1> form;
};

TEST_F(PortLossTest, LossIsShownWithoutABoxAndThePortReopensAndPollsWhenTheAdapterIsBack)
{
    // A poll request is out when the adapter goes.
    form->Timer2Timer();
    form->Timer2Timer();
    ASSERT_EQ(form->linkState().CommandArmed, 0);
    pullOut();
    form->Timer2Timer();
    EXPECT_EQ(form->text("Button1"), "Open");
    EXPECT_EQ(status(), "Port lost, waiting");
    EXPECT_TRUE(boxes->empty()) << boxes->last().text;
    EXPECT_FALSE(form->port().isOpen());
    EXPECT_FALSE(form->timer2().isActive()) << "no engine ticks without a port";
    EXPECT_TRUE(form->timer1().isActive()) << "the watchdog clears the lost readings";
    EXPECT_TRUE(form->portWatchTimer().isActive());
    EXPECT_EQ(form->portWatchTimer().interval(), 1000);
    EXPECT_EQ(portBoxesEnabled(), 5) << "free, as after a close";

    for (int second = 0; second < 3; ++second)
        form->PortWatchTick();
    EXPECT_EQ(form->text("Button1"), "Open");
    EXPECT_TRUE(boxes->empty());

    plugIn();
    form->PortWatchTick();
    EXPECT_EQ(form->text("Button1"), "Close");
    EXPECT_EQ(status(), "Communication Satus");
    EXPECT_TRUE(form->port().isOpen());
    EXPECT_TRUE(form->timer2().isActive());
    EXPECT_FALSE(form->portWatchTimer().isActive());
    EXPECT_TRUE(boxes->empty());
    EXPECT_EQ(portBoxesEnabled(), 0) << "locked, as while open";

    // The live sheet's poll starts over from its first step.
    const std::vector<std::uint8_t> request = nextRequest();
    ASSERT_EQ(request.size(), 8u);
    EXPECT_EQ(request[0], 1) << "the controller's address";
    EXPECT_EQ(request[1], 0x01) << "the poll's first step reads the coils";
    EXPECT_EQ(Crc16(request.data(), request.size()), 0) << "a whole frame";
}

TEST_F(PortLossTest, ClosingByHandEndsTheWatching)
{
    for (bool whileLost : {false, true}) {
        SCOPED_TRACE(whileLost ? "Open clicked while the device is gone" : "closed, then the device went");
        if (whileLost) {
            pullOut();
            form->Timer2Timer();
            ASSERT_EQ(status(), "Port lost, waiting");
            // The button reads "Open"; the click lets go of the lost port
            // and opens what the boxes name, which is not back yet.
            form->Button1Click();
            EXPECT_EQ(boxes->last(), (RecordingMessageBoxes::Message{"Open Port Error!!", "Comm Error"}));
            boxes->clear();
        } else {
            form->Button1Click();
            pullOut();
            form->Timer2Timer();
        }
        EXPECT_TRUE(boxes->empty()) << boxes->last().text;
        EXPECT_EQ(form->portWatch().state(), PortWatch::State::Idle);
        EXPECT_FALSE(form->timer1().isActive());
        EXPECT_FALSE(form->timer2().isActive());
        EXPECT_FALSE(form->portWatchTimer().isActive());
        EXPECT_EQ(status(), "Communication Satus");
        EXPECT_TRUE(portBoxEnabled());

        plugIn();
        form->PortWatchTick();
        EXPECT_EQ(form->text("Button1"), "Open");
        EXPECT_FALSE(form->port().isOpen());

        // Opened again by hand for the next round.
        form->Button1Click();
        ASSERT_EQ(form->text("Button1"), "Close");
    }
}

TEST_F(PortLossTest, APseudoTerminalNamedDirectlyIsShownLostButNotWaitedFor)
{
    form->Button1Click();
    form->setText("rdCOM", adapter_->first());
    form->Button1Click();
    ASSERT_EQ(form->text("Button1"), "Close");

    pullOut();
    form->Timer2Timer();
    EXPECT_EQ(form->text("Button1"), "Open");
    EXPECT_EQ(status(), "Port lost");
    EXPECT_FALSE(form->portWatchTimer().isActive()) << "its number goes to the next program that asks";
    EXPECT_TRUE(boxes->empty());
    EXPECT_EQ(portBoxesEnabled(), 5);

    // "Open" opens what the boxes name: that terminal is gone.
    form->Button1Click();
    EXPECT_EQ(status(), "Communication Satus");
    EXPECT_EQ(boxes->last(), (RecordingMessageBoxes::Message{"Open Port Error!!", "Comm Error"}));
    EXPECT_EQ(form->text("Button1"), "Open");
    EXPECT_EQ(portBoxesEnabled(), 5);
}

TEST_F(PortLossTest, WhileTheDeviceIsAwaitedTheBoxesChooseAnotherPortAndOpenOpensIt)
{
    PtyPair other;
    ASSERT_TRUE(other.ok());
    pullOut();
    form->Timer2Timer();
    ASSERT_EQ(status(), "Port lost, waiting");
    ASSERT_EQ(portBoxesEnabled(), 5);

    // Another port chosen: the lost one is no longer awaited.
    form->setText("rdCOM", other.first());
    EXPECT_FALSE(form->portWatchTimer().isActive());
    EXPECT_EQ(form->portWatch().state(), PortWatch::State::Idle);
    plugIn();
    form->PortWatchTick();
    EXPECT_FALSE(form->port().isOpen()) << "the old device is not taken back";

    form->Button1Click();
    EXPECT_TRUE(boxes->empty()) << boxes->last().text;
    EXPECT_EQ(form->text("Button1"), "Close");
    EXPECT_EQ(portBoxesEnabled(), 0);
    EXPECT_EQ(form->portWatch().device(), other.first());
}

} // namespace
