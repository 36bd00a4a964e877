// The strip below the sheets on the real window against a scripted
// controller: after a Set it names the plausibility rules the group's values
// break, and it names the bus address in use when "Comm Address" says another.
#include "app/CompareDialog.h"
#include "app/QtParameterDialogs.h"
#include "support/FakeController.h"
#include "support/FormHarness.h"
#include "support/ScriptedParameterDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct StripHarness : FormHarness {
    FakeController controller;

    StripHarness()
    {
        // The controller's zeros fit no parameter file: the address change
        // goes on without a backup.
        auto scripted = std::make_unique<ScriptedParameterDialogs>();
        scripted->goOnWithout = true;
        form->setParameterDialogs(std::move(scripted));
        port->setResponder(controller.responder());
        form->core().open("fake", 9600, 8);
    }
    void click(const char* button)
    {
        form->control<QAbstractButton>(button).click();
        for (int i = 0; i < 400 && form->linkState().LinkBusy == 1; ++i) {
            form->Timer2Timer();
            port->advance();
        }
    }
};

} // namespace

TEST(StatusStrip, NamesTheRulesASetBrokeAndTheAddressInUse)
{
    struct Step {
        const char* what;
        std::vector<std::pair<const char*, const char*>> texts;   // control, text typed before the click
        const char* button;
        std::string strip;
    };
    const std::vector<Step> steps{
        {"a plausible Set", {{"Edit5", "3000"}, {"Edit13", "800"}, {"Edit27", "35"}, {"Edit9", "20"}, {"Edit6", "5"}},
         "Set", ""},
        {"the minimum speed above the maximum", {{"Edit13", "9500"}}, "Set",
         "Set Intfan wrote values that break: Intfan1 MinSpeed (9500 rpm) is not below Intfan1 MaxSpeed (3000 rpm)"},
        {"another group's plausible Set replaces it", {{"Edit24", "55"}, {"Edit25", "-10"}}, "Button11", ""},
        {"alarm limits the wrong way round", {{"Edit24", "-20"}}, "Button11",
         "Set Alarm TEMP wrote values that break: TempAlarm Low (-10.0 °C) is not below TempAlarm High (-20.0 °C)"},
        {"the controller moved to address 7", {{"Edit4", "7"}}, "Button7",
         "Talking to address 7 (\"Comm Address\" reads 1)"},
        {"a failure beside it", {{"Edit24", "55"}}, "Button11",
         "Set Alarm TEMP: no answer from address 7 (time-out)\nTalking to address 7 (\"Comm Address\" reads 1)"},
        {"Comm Address set to it", {{"Edit17", "7"}}, "Button8", "Set Alarm TEMP: no answer from address 7 (time-out)"},
    };
    // The scripted controller stays at address 1, so address 7 is silent.
    StripHarness h;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        for (const auto& [control, text] : step.texts)
            h.form->setText(control, text);
        h.click(step.button);
        EXPECT_EQ(h.form->failureLine(), step.strip);
    }
}

// Pictures to look at, taken only when HX_EDGES_SHOTS names a folder: the
// strip with a broken rule and the address in use, the question Write All
// asks about a file that breaks rules, and Compare naming both sides.
TEST(StatusStrip, PicturesWhenAsked)
{
    const QString folder = qEnvironmentVariable("HX_EDGES_SHOTS");
    if (folder.isEmpty())
        GTEST_SKIP() << "set HX_EDGES_SHOTS to a folder to take the pictures";
    StripHarness h;
    for (const auto& [control, text] : {std::pair{"Edit5", "3000"}, {"Edit13", "9500"}, {"Edit27", "35"},
                                        {"Edit9", "20"}, {"Edit6", "5"}, {"Edit4", "7"}})
        h.form->setText(control, text);
    h.click("Button7");
    h.controller.address = 7;
    h.click("Set");
    h.form->show();
    QApplication::processEvents();
    h.form->grab().save(folder + "/status-strip.png");

    const std::string broken = "Intfan1 MinSpeed (9500 rpm) is not below Intfan1 MaxSpeed (9000 rpm)\n"
                               "TempAlarm Low (-10.0 °C) is not below TempAlarm High (-20.0 °C)";
    QtParameterDialogs dialogs(h.form.get());
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        box->grab().save(folder + "/write-all-question.png");
        box->close();
    });
    EXPECT_FALSE(dialogs.writeDespiteBrokenRules(broken));

    CompareDialog compare({{"Intfan1 MinSpeed", "800 rpm", "9500 rpm"}, {"TempAlarm High", "55.0 °C", "-20.0 °C"}},
                          "The file's values break:\n" + broken, h.form.get());
    compare.show();
    QApplication::processEvents();
    compare.grab().save(folder + "/compare.png");
}
