#include "support/FormHarness.h"

#include "app/ConfigurationLayout.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

namespace {

QString q(const char* text) { return QString::fromUtf8(text); }

struct GroupExpectation {
    const char* name;
    const char* caption;
    QRect bounds;
    const char* button;
    const char* buttonCaption;
};

const GroupExpectation kGroups[] = {
    {"GroupBox5", "Serial Port ", {16, 8, 169, 185}, "Button1", "Open"},
    {"GroupBox13", "Comm Address", {16, 211, 169, 62}, "Button8", "Set"},
    {"GroupBox22", "FW Version", {16, 290, 169, 81}, "Button5", "Read"},
    {"GroupBox12", "Internal Fan", {220, 8, 497, 129}, "Set", "Set"},
    {"GroupBox14", "External Fan ", {220, 130, 497, 129}, "Button10", "Set"},
    {"GroupBox16", "Heater ", {220, 260, 333, 100}, "Button15", "Set"},
    {"GroupBox19", "Temp.  Alarm", {560, 260, 157, 100}, "Button11", "Set"},
    {"GroupBox17", "Compressor", {220, 363, 188, 102}, "Button14", "Set"},
    {"GroupBox2", "ExtInput ", {413, 363, 140, 102}, "Button4", "Set"},
    {"GroupBox15", "VoltageAlarm", {560, 363, 157, 102}, "Button9", "Set"},
    {"GroupBox1", "Calibration", {220, 472, 321, 75}, "Button3", "Set"},
    {"GroupBox18", "Address", {560, 472, 157, 75}, "Button7", "Set"},
};

struct ComboExpectation {
    const char* name;
    const char* group;
    const char* text;
    QStringList items;
    bool enabled;
};

const QStringList kEnable{"Disable", "Enable"};

const ComboExpectation kCombos[] = {
    {"rdCOM", "GroupBox5", "COM", {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9"}, true},
    {"baudrate", "GroupBox5", "9600", {"2400", "4800", "9600", "19200", "38400", "115200"}, false},
    {"databits", "GroupBox5", "8", {"4", "5", "6", "7", "8"}, false},
    {"parity", "GroupBox5", "NONE", {"NONE", "ODD", "EVEN"}, false},
    {"stopbits", "GroupBox5", "1", {"1", "1.5", "2"}, false},
    {"ComboBox1", "GroupBox12", "", kEnable, true},
    {"ComboBox2", "GroupBox12", "", kEnable, true},
    {"ComboBox3", "GroupBox14", "", kEnable, true},
    {"ComboBox4", "GroupBox14", "", kEnable, true},
    {"ComboBox5", "GroupBox16", "", kEnable, true},
    {"ComboBox6", "GroupBox2", "", kEnable, true},
    {"ComboBox7", "GroupBox2", "", {"NO", "NC"}, true},
};

// Edit boxes of the parameter groups, each with the group that holds it.
const std::map<std::string, std::string> kEdits = {
    {"Edit12", "GroupBox12"}, {"Edit5", "GroupBox12"}, {"Edit13", "GroupBox12"}, {"Edit7", "GroupBox12"},
    {"Edit14", "GroupBox12"}, {"Edit27", "GroupBox12"}, {"Edit9", "GroupBox12"}, {"Edit6", "GroupBox12"},
    {"Edit41", "GroupBox12"},
    {"Edit34", "GroupBox14"}, {"Edit8", "GroupBox14"}, {"Edit35", "GroupBox14"}, {"Edit39", "GroupBox14"},
    {"Edit36", "GroupBox14"}, {"Edit37", "GroupBox14"}, {"Edit15", "GroupBox14"}, {"Edit38", "GroupBox14"},
    {"Edit40", "GroupBox14"},
    {"Edit50", "GroupBox16"}, {"Edit51", "GroupBox16"}, {"Edit52", "GroupBox16"}, {"Edit53", "GroupBox16"},
    {"Edit24", "GroupBox19"}, {"Edit25", "GroupBox19"},
    {"Edit30", "GroupBox17"}, {"Edit29", "GroupBox17"}, {"Edit31", "GroupBox17"},
    {"Edit18", "GroupBox15"}, {"Edit28", "GroupBox15"},
    {"Edit1", "GroupBox1"}, {"Edit2", "GroupBox1"}, {"Edit10", "GroupBox1"}, {"Edit16", "GroupBox1"},
    {"Edit17", "GroupBox13"}, {"Edit4", "GroupBox18"}, {"SWV", "GroupBox22"},
};

class ConfigurationLayoutTest : public ::testing::Test {
protected:
    template <class T>
    T* find(const char* name) { return h.form->findChild<T*>(q(name)); }

    FormHarness h;
};

TEST_F(ConfigurationLayoutTest, WindowPageControlAndTimersAsStored)
{
    TForm1& form = *h.form;
    EXPECT_EQ(form.objectName(), "Form1");
    EXPECT_EQ(form.windowTitle(), "Test GUI For DC Heat Exchanger");
    EXPECT_EQ(form.size(), QSize(815, 634));
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "the window must not be resizable";
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(215, 228, 242));

    // Designed at (338, 66), but never pushed off a small screen.
    const QRect area = form.screen()->availableGeometry();
    const QPoint designed(338, 66);
    const QPoint expected(std::max(area.left(), std::min(designed.x(), area.right() + 1 - form.width())),
                          std::max(area.top(), std::min(designed.y(), area.bottom() + 1 - form.height())));
    EXPECT_EQ(form.pos(), expected);

    auto* data = find<QTabWidget>("Data");
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->geometry(), QRect(0, 0, 785, 601));
    ASSERT_EQ(data->count(), 3);
    EXPECT_EQ(data->currentIndex(), 0);
    EXPECT_EQ(form.currentTab(), 0);
    const char* sheets[][2] = {{"Configuration", "Configuration"}, {"TabSheet2", "RealTimeData"}, {"TabSheet1", "Graph"}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(data->widget(i)->objectName(), sheets[i][0]);
        EXPECT_EQ(data->tabText(i), sheets[i][1]);
    }
    EXPECT_EQ(data->widget(1)->font().family(), q("隶书"));
    EXPECT_EQ(data->widget(1)->font().pixelSize(), 16);
    EXPECT_EQ(data->widget(2)->font().pixelSize(), 16);

    const std::pair<const char*, int> timers[] = {{"Timer1", 200}, {"Timer2", 10}, {"Timer3", 200}};
    for (const auto& [name, interval] : timers) {
        auto* timer = find<QTimer>(name);
        ASSERT_NE(timer, nullptr) << name;
        EXPECT_EQ(timer->interval(), interval) << name;
        EXPECT_TRUE(timer->isActive()) << name;
    }
}

TEST_F(ConfigurationLayoutTest, EveryGroupAtItsBoundsWithItsCaptionAndButton)
{
    for (const auto& g : kGroups) {
        auto* group = find<QGroupBox>(g.name);
        ASSERT_NE(group, nullptr) << g.name;
        EXPECT_EQ(group->parentWidget()->objectName(), "Configuration") << g.name;
        EXPECT_EQ(group->title(), q(g.caption)) << g.name;
        EXPECT_EQ(group->geometry(), g.bounds) << g.name;
        EXPECT_EQ(group->font().family(), "Cambria") << g.name;
        EXPECT_TRUE(group->font().bold()) << g.name;
        EXPECT_EQ(group->font().pixelSize(), 19) << g.name;
        auto* button = find<QPushButton>(g.button);
        ASSERT_NE(button, nullptr) << g.button;
        EXPECT_EQ(button->parentWidget(), group) << g.button;
        EXPECT_EQ(button->text(), g.buttonCaption) << g.button;
    }
    for (const char* name : {"BitBtn1", "BitBtn2"}) {
        auto* button = find<QPushButton>(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->parentWidget()->objectName(), "Configuration");
        EXPECT_FALSE(button->icon().isNull()) << name << " has no glyph";
        EXPECT_EQ(button->font().family(), "Times New Roman");
        EXPECT_TRUE(button->font().bold());
        EXPECT_EQ(button->font().pixelSize(), 24);
    }
    EXPECT_EQ(find<QPushButton>("BitBtn1")->geometry(), QRect(32, 400, 134, 40));
    EXPECT_EQ(find<QPushButton>("BitBtn1")->text(), "Read All");
    EXPECT_EQ(find<QPushButton>("BitBtn1")->iconSize(), QSize(30, 30));
    EXPECT_EQ(find<QPushButton>("BitBtn2")->geometry(), QRect(32, 464, 134, 40));
    EXPECT_EQ(find<QPushButton>("BitBtn2")->text(), "Default");
    EXPECT_EQ(find<QPushButton>("BitBtn2")->iconSize(), QSize(28, 28));
}

TEST_F(ConfigurationLayoutTest, CombosHoldTheirItemsAndTextWithoutSelection)
{
    for (const auto& c : kCombos) {
        auto* combo = find<QComboBox>(c.name);
        ASSERT_NE(combo, nullptr) << c.name;
        EXPECT_EQ(combo->parentWidget()->objectName(), c.group) << c.name;
        EXPECT_TRUE(combo->isEditable()) << c.name;
        EXPECT_EQ(combo->currentIndex(), -1) << c.name;
        EXPECT_EQ(combo->currentText(), q(c.text)) << c.name;
        EXPECT_EQ(combo->isEnabled(), c.enabled) << c.name;
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        EXPECT_EQ(items, c.items) << c.name;
        EXPECT_EQ(h.form->itemIndex(c.name), c.items.indexOf(q(c.text))) << "the item shown, if any";
    }
    EXPECT_EQ(find<QComboBox>("ComboBox1")->font().pixelSize(), 12);
    EXPECT_EQ(find<QComboBox>("ComboBox1")->font().family(), "Cambria");
}

TEST_F(ConfigurationLayoutTest, EditsStartAtZeroExceptAddressesAndVersion)
{
    for (const auto& [name, group] : kEdits) {
        auto* edit = find<QLineEdit>(name.c_str());
        ASSERT_NE(edit, nullptr) << name;
        EXPECT_EQ(edit->parentWidget()->objectName().toStdString(), group) << name;
        const char* initial = name == "Edit17" ? "1" : (name == "Edit4" || name == "SWV") ? "" : "0";
        EXPECT_EQ(edit->text(), initial) << name;
        EXPECT_EQ(edit->isEnabled(), name != "SWV") << name;
        if (name != "SWV") {
            EXPECT_EQ(edit->font().family(), "Terminal") << name;
            EXPECT_EQ(edit->font().pixelSize(), 15) << name;
        }
    }
    EXPECT_EQ(find<QLineEdit>("Edit41")->width(), 70);
    EXPECT_EQ(find<QLineEdit>("Edit40")->width(), 70);
    // The firmware text spans its group.
    auto* version = find<QLineEdit>("SWV");
    EXPECT_GE(version->width(), version->parentWidget()->width() - 20);
    EXPECT_EQ(version->font().family(), "Times New Roman");
}

// Each label stands left of the control it names, on the same row, or
// (where the group stacks them) right above it.
TEST_F(ConfigurationLayoutTest, LabelsNameTheirControls)
{
    const std::pair<const char*, const char*> beside[] = {
        {"Port Num:", "rdCOM"}, {"BaudRate:", "baudrate"}, {"DataBits:", "databits"}, {"Parity  :", "parity"},
        {"StopBits:", "stopbits"}, {"StepRev", "Edit12"}, {"StepTemp", "Edit14"}, {"Intfan1", "ComboBox1"},
        {"Intfan2", "ComboBox2"}, {"PluseNo.", "Edit41"}, {"PlusNo.", "Edit40"}, {"Extfan2", "ComboBox4"},
        {"MaxCurrent", "Edit50"}, {"Dis/Enable", "ComboBox5"}, {"HighTemp", "Edit24"}, {"MaxRPM", "Edit31"},
        {"Type", "ComboBox7"}, {"LowValue", "Edit28"},
    };
    const std::pair<const char*, const char*> above[] = {
        {"StartTemp.", "Edit30"}, {"DeltTemp.", "Edit29"}, {"Temp1", "Edit1"}, {"Voltage", "Edit16"},
    };
    const auto labels = h.form->findChildren<QLabel*>();
    auto labelFor = [&](const char* text, const QWidget* control) -> QLabel* {
        for (QLabel* label : labels)
            if (label->text() == q(text) && label->parentWidget() == control->parentWidget())
                return label;
        return nullptr;
    };
    for (const auto& [text, name] : beside) {
        auto* control = find<QWidget>(name);
        QLabel* label = labelFor(text, control);
        ASSERT_NE(label, nullptr) << text;
        EXPECT_EQ(label->y(), control->y()) << text;
        EXPECT_LE(label->geometry().right(), control->x()) << text;
        EXPECT_GE(label->x() + label->width(), control->x() - 8) << text << " stands apart from " << name;
    }
    for (const auto& [text, name] : above) {
        auto* control = find<QWidget>(name);
        QLabel* label = labelFor(text, control);
        ASSERT_NE(label, nullptr) << text;
        EXPECT_EQ(label->x(), control->x()) << text;
        EXPECT_LE(label->geometry().bottom(), control->y()) << text;
    }
}

TEST_F(ConfigurationLayoutTest, UnitLabelsRightOfTheirEdits)
{
    const std::pair<const char*, const char*> units[] = {
        {"Edit12", "RPM"}, {"Edit5", "RPM"}, {"Edit13", "RPM"}, {"Edit7", "℃"}, {"Edit14", "℃"}, {"Edit6", "℃"},
        {"Edit34", "RPM"}, {"Edit38", "℃"}, {"Edit50", "A"}, {"Edit53", "℃"}, {"Edit25", "℃"},
        {"Edit1", "℃"}, {"Edit2", "℃"}, {"Edit10", "A"}, {"Edit16", "V"},
    };
    for (const auto& [name, unit] : units) {
        auto* edit = find<QWidget>(name);
        QLabel* found = nullptr;
        for (QLabel* label : edit->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
            if (label->y() == edit->y() && label->x() > edit->geometry().right()
                && (found == nullptr || label->x() < found->x()))
                found = label;
        ASSERT_NE(found, nullptr) << name;
        EXPECT_EQ(found->text(), q(unit)) << name;
        EXPECT_LE(found->x() - edit->geometry().right(), 6) << name;
        const bool degree = q(unit) == q("℃");
        EXPECT_EQ(found->font().family(), degree ? "Monotype Corsiva" : "Calibri") << name;
        EXPECT_EQ(found->font().italic(), degree) << name;
    }
}

// Within every group (and on the sheet) no two controls overlap and every
// control lies inside its owner below the caption band.
TEST_F(ConfigurationLayoutTest, ControlsDoNotOverlapAndStayInsideTheirGroup)
{
    auto* sheet = find<QWidget>("Configuration");
    std::vector<QWidget*> owners{sheet};
    for (const auto& g : kGroups)
        owners.push_back(find<QWidget>(g.name));
    for (QWidget* owner : owners) {
        const auto children = owner->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (QWidget* child : children) {
            if (owner != sheet) {
                EXPECT_TRUE(QRect(4, 18, owner->width() - 8, owner->height() - 22).contains(child->geometry()))
                    << child->objectName().toStdString() << " leaves " << owner->objectName().toStdString();
            }
            for (QWidget* other : children) {
                if (other == child || (owner == sheet && (qobject_cast<QGroupBox*>(child) && qobject_cast<QGroupBox*>(other))))
                    continue;
                EXPECT_FALSE(child->geometry().intersects(other->geometry()))
                    << child->objectName().toStdString() << " overlaps " << other->objectName().toStdString();
            }
        }
    }
}

TEST_F(ConfigurationLayoutTest, ControlNamesAreUniqueAcrossTheTable)
{
    std::set<std::string> names;
    for (const LayoutEntry& entry : configurationLayout())
        EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
    for (const auto& name : names)
        EXPECT_EQ(h.form->findChildren<QWidget*>(QString::fromStdString(name)).size(), 1) << name;
}

} // namespace
