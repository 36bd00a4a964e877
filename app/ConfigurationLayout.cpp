#include "app/ConfigurationLayout.h"

#include <array>

namespace {

constexpr LayoutFont kWindow{"MS Sans Serif", 13};
constexpr LayoutFont kLiveSheet{"隶书", 16};
constexpr LayoutFont kGraphSheet{"MS Sans Serif", 16};
constexpr LayoutFont kGroup{"Cambria", 19, true};
constexpr LayoutFont kField{"Cambria", 16};
constexpr LayoutFont kUnit{"Calibri", 16};
constexpr LayoutFont kDegree{"Monotype Corsiva", 16, true, true};
constexpr LayoutFont kEdit{"Terminal", 15};
constexpr LayoutFont kEnableCombo{"Cambria", 12};
constexpr LayoutFont kSet{"Cambria", 16};
constexpr LayoutFont kSetBold{"Cambria", 16, true};
constexpr LayoutFont kBitBtn{"Times New Roman", 24, true};
constexpr LayoutFont kPortLabel{"隶书", 16, true};
constexpr LayoutFont kPortButton{"隶书", 19};
constexpr LayoutFont kVersion{"Times New Roman", 12};
constexpr LayoutFont kParameterFile{"Cambria", 12};

const auto kLayout = std::to_array<LayoutEntry>({
    {"Data", ControlKind::PageControl, nullptr, 0, 0, 785, 601, "", kWindow},
    {"Configuration", ControlKind::TabSheet, "Data", 0, 0, 0, 0, "Configuration", kWindow},
    {"TabSheet2", ControlKind::TabSheet, "Data", 0, 0, 0, 0, "RealTimeData", kLiveSheet},
    {"TabSheet1", ControlKind::TabSheet, "Data", 0, 0, 0, 0, "Graph", kGraphSheet},

    // Serial port
    {"GroupBox5", ControlKind::GroupBox, "Configuration", 16, 8, 169, 185, "Serial Port ", kGroup},
    {"Label1", ControlKind::Label, "GroupBox5", 8, 24, 80, 22, "Port Num:", kPortLabel},
    {"rdCOM", ControlKind::PortComboBox, "GroupBox5", 90, 24, 70, 22, "COM", kWindow, "COM1|COM2|COM3|COM4|COM5|COM6|COM7|COM8|COM9"},
    {"Label2", ControlKind::Label, "GroupBox5", 8, 49, 80, 22, "BaudRate:", kPortLabel},
    {"baudrate", ControlKind::ComboBox, "GroupBox5", 90, 49, 70, 22, "9600", kWindow, "2400|4800|9600|19200|38400|115200", false},
    {"Label3", ControlKind::Label, "GroupBox5", 8, 74, 80, 22, "DataBits:", kPortLabel},
    {"databits", ControlKind::ComboBox, "GroupBox5", 90, 74, 70, 22, "8", kWindow, "4|5|6|7|8", false},
    {"Label4", ControlKind::Label, "GroupBox5", 8, 99, 80, 22, "Parity  :", kPortLabel},
    {"parity", ControlKind::ComboBox, "GroupBox5", 90, 99, 70, 22, "NONE", kWindow, "NONE|ODD|EVEN", false},
    {"Label5", ControlKind::Label, "GroupBox5", 8, 124, 80, 22, "StopBits:", kPortLabel},
    {"stopbits", ControlKind::ComboBox, "GroupBox5", 90, 124, 70, 22, "1", kWindow, "1|1.5|2", false},
    {"Button1", ControlKind::Button, "GroupBox5", 36, 150, 97, 28, "Open", kPortButton},

    // Bus address, firmware version, Read All and Default
    {"GroupBox13", ControlKind::GroupBox, "Configuration", 16, 211, 169, 62, "Comm Address", kGroup},
    {"Edit17", ControlKind::Edit, "GroupBox13", 12, 30, 80, 22, "1", kEdit},
    {"Button8", ControlKind::Button, "GroupBox13", 100, 30, 57, 22, "Set", kSetBold},
    {"GroupBox22", ControlKind::GroupBox, "Configuration", 16, 290, 169, 81, "FW Version", kGroup},
    {"SWV", ControlKind::Edit, "GroupBox22", 8, 24, 153, 22, "", kVersion, nullptr, false},
    {"Button5", ControlKind::Button, "GroupBox22", 48, 52, 73, 22, "Read", kSetBold},
    {"BitBtn1", ControlKind::BitBtn, "Configuration", 32, 400, 134, 40, "Read All", kBitBtn, nullptr, true, ":/glyphs/ReadAll.png"},
    {"BitBtn2", ControlKind::BitBtn, "Configuration", 32, 464, 134, 40, "Default", kBitBtn, nullptr, true, ":/glyphs/Default.png"},

    // Parameter files, in the free corner below Default
    {"SaveParameters", ControlKind::Button, "Configuration", 8, 514, 100, 24, "Save Parameters...", kParameterFile},
    {"LoadParameters", ControlKind::Button, "Configuration", 112, 514, 100, 24, "Load Parameters...", kParameterFile},
    {"WriteAll", ControlKind::Button, "Configuration", 8, 542, 100, 24, "Write All", kParameterFile},
    {"CompareParameters", ControlKind::Button, "Configuration", 112, 542, 100, 24, "Compare...", kParameterFile},
    // Bus scan, in the free strip right of the groups
    {"ScanBus", ControlKind::Button, "Configuration", 721, 514, 54, 24, "Scan...", kParameterFile},
    // Load Parameters in the folder of the automatic backups, above it
    {"RestoreBackup", ControlKind::Button, "Configuration", 721, 486, 54, 24, "Backups...", kParameterFile},

    // Internal Fan fans
    {"GroupBox12", ControlKind::GroupBox, "Configuration", 220, 8, 497, 129, "Internal Fan", kGroup},
    {"Label6", ControlKind::Label, "GroupBox12", 10, 24, 64, 22, "StepRev", kField},
    {"Edit12", ControlKind::Edit, "GroupBox12", 76, 24, 60, 22, "0", kEdit},
    {"Label7", ControlKind::Label, "GroupBox12", 140, 24, 30, 22, "RPM", kUnit},
    {"Label8", ControlKind::Label, "GroupBox12", 178, 24, 70, 22, "StepTemp", kField},
    {"Edit14", ControlKind::Edit, "GroupBox12", 250, 24, 60, 22, "0", kEdit},
    {"Label9", ControlKind::Label, "GroupBox12", 314, 24, 22, 22, "℃", kDegree},
    {"Label10", ControlKind::Label, "GroupBox12", 346, 24, 64, 22, "Intfan1", kField},
    {"ComboBox1", ControlKind::ComboBox, "GroupBox12", 412, 24, 70, 22, "", kEnableCombo, "Disable|Enable"},
    {"Label11", ControlKind::Label, "GroupBox12", 10, 48, 64, 22, "MaxRev", kField},
    {"Edit5", ControlKind::Edit, "GroupBox12", 76, 48, 60, 22, "0", kEdit},
    {"Label12", ControlKind::Label, "GroupBox12", 140, 48, 30, 22, "RPM", kUnit},
    {"Label13", ControlKind::Label, "GroupBox12", 178, 48, 70, 22, "MaxTemp", kField},
    {"Edit27", ControlKind::Edit, "GroupBox12", 250, 48, 60, 22, "0", kEdit},
    {"Label14", ControlKind::Label, "GroupBox12", 314, 48, 22, 22, "℃", kDegree},
    {"Label15", ControlKind::Label, "GroupBox12", 346, 48, 64, 22, "Intfan2", kField},
    {"ComboBox2", ControlKind::ComboBox, "GroupBox12", 412, 48, 70, 22, "", kEnableCombo, "Disable|Enable"},
    {"Label16", ControlKind::Label, "GroupBox12", 10, 72, 64, 22, "MinRev", kField},
    {"Edit13", ControlKind::Edit, "GroupBox12", 76, 72, 60, 22, "0", kEdit},
    {"Label17", ControlKind::Label, "GroupBox12", 140, 72, 30, 22, "RPM", kUnit},
    {"Label18", ControlKind::Label, "GroupBox12", 178, 72, 70, 22, "MinTemp", kField},
    {"Edit9", ControlKind::Edit, "GroupBox12", 250, 72, 60, 22, "0", kEdit},
    {"Label19", ControlKind::Label, "GroupBox12", 314, 72, 22, 22, "℃", kDegree},
    {"Label20", ControlKind::Label, "GroupBox12", 346, 72, 64, 22, "PluseNo.", kField},
    {"Edit41", ControlKind::Edit, "GroupBox12", 412, 72, 70, 22, "0", kEdit},
    {"Label21", ControlKind::Label, "GroupBox12", 10, 96, 64, 22, "DeltTemp", kField},
    {"Edit7", ControlKind::Edit, "GroupBox12", 76, 96, 60, 22, "0", kEdit},
    {"Label22", ControlKind::Label, "GroupBox12", 140, 96, 30, 22, "℃", kDegree},
    {"Label23", ControlKind::Label, "GroupBox12", 178, 96, 70, 22, "StopTemp", kField},
    {"Edit6", ControlKind::Edit, "GroupBox12", 250, 96, 60, 22, "0", kEdit},
    {"Label24", ControlKind::Label, "GroupBox12", 314, 96, 22, 22, "℃", kDegree},
    {"Set", ControlKind::Button, "GroupBox12", 412, 96, 70, 22, "Set", kSet},

    // External Fan fans
    {"GroupBox14", ControlKind::GroupBox, "Configuration", 220, 130, 497, 129, "External Fan ", kGroup},
    {"Label25", ControlKind::Label, "GroupBox14", 10, 24, 64, 22, "StepRev", kField},
    {"Edit34", ControlKind::Edit, "GroupBox14", 76, 24, 60, 22, "0", kEdit},
    {"Label26", ControlKind::Label, "GroupBox14", 140, 24, 30, 22, "RPM", kUnit},
    {"Label27", ControlKind::Label, "GroupBox14", 178, 24, 70, 22, "StepTemp", kField},
    {"Edit36", ControlKind::Edit, "GroupBox14", 250, 24, 60, 22, "0", kEdit},
    {"Label28", ControlKind::Label, "GroupBox14", 314, 24, 22, 22, "℃", kDegree},
    {"Label29", ControlKind::Label, "GroupBox14", 346, 24, 64, 22, "Extfan1", kField},
    {"ComboBox3", ControlKind::ComboBox, "GroupBox14", 412, 24, 70, 22, "", kEnableCombo, "Disable|Enable"},
    {"Label30", ControlKind::Label, "GroupBox14", 10, 48, 64, 22, "MaxRev", kField},
    {"Edit8", ControlKind::Edit, "GroupBox14", 76, 48, 60, 22, "0", kEdit},
    {"Label31", ControlKind::Label, "GroupBox14", 140, 48, 30, 22, "RPM", kUnit},
    {"Label32", ControlKind::Label, "GroupBox14", 178, 48, 70, 22, "MaxTemp", kField},
    {"Edit37", ControlKind::Edit, "GroupBox14", 250, 48, 60, 22, "0", kEdit},
    {"Label33", ControlKind::Label, "GroupBox14", 314, 48, 22, 22, "℃", kDegree},
    {"Label34", ControlKind::Label, "GroupBox14", 346, 48, 64, 22, "Extfan2", kField},
    {"ComboBox4", ControlKind::ComboBox, "GroupBox14", 412, 48, 70, 22, "", kEnableCombo, "Disable|Enable"},
    {"Label35", ControlKind::Label, "GroupBox14", 10, 72, 64, 22, "MinRev", kField},
    {"Edit35", ControlKind::Edit, "GroupBox14", 76, 72, 60, 22, "0", kEdit},
    {"Label36", ControlKind::Label, "GroupBox14", 140, 72, 30, 22, "RPM", kUnit},
    {"Label37", ControlKind::Label, "GroupBox14", 178, 72, 70, 22, "MinTemp", kField},
    {"Edit15", ControlKind::Edit, "GroupBox14", 250, 72, 60, 22, "0", kEdit},
    {"Label38", ControlKind::Label, "GroupBox14", 314, 72, 22, 22, "℃", kDegree},
    {"Label39", ControlKind::Label, "GroupBox14", 346, 72, 64, 22, "PlusNo.", kField},
    {"Edit40", ControlKind::Edit, "GroupBox14", 412, 72, 70, 22, "0", kEdit},
    {"Label40", ControlKind::Label, "GroupBox14", 10, 96, 64, 22, "DeltTemp", kField},
    {"Edit39", ControlKind::Edit, "GroupBox14", 76, 96, 60, 22, "0", kEdit},
    {"Label41", ControlKind::Label, "GroupBox14", 140, 96, 30, 22, "℃", kDegree},
    {"Label42", ControlKind::Label, "GroupBox14", 178, 96, 70, 22, "StopTemp", kField},
    {"Edit38", ControlKind::Edit, "GroupBox14", 250, 96, 60, 22, "0", kEdit},
    {"Label43", ControlKind::Label, "GroupBox14", 314, 96, 22, 22, "℃", kDegree},
    {"Button10", ControlKind::Button, "GroupBox14", 412, 96, 70, 22, "Set", kSet},

    // Heater
    {"GroupBox16", ControlKind::GroupBox, "Configuration", 220, 260, 333, 100, "Heater ", kGroup},
    {"Label44", ControlKind::Label, "GroupBox16", 8, 24, 82, 22, "MaxCurrent", kField},
    {"Edit50", ControlKind::Edit, "GroupBox16", 92, 24, 56, 22, "0", kEdit},
    {"Label45", ControlKind::Label, "GroupBox16", 152, 24, 16, 22, "A", kUnit},
    {"Label46", ControlKind::Label, "GroupBox16", 176, 24, 70, 22, "StartTemp", kField},
    {"Edit52", ControlKind::Edit, "GroupBox16", 248, 24, 56, 22, "0", kEdit},
    {"Label47", ControlKind::Label, "GroupBox16", 308, 24, 18, 22, "℃", kDegree},
    {"Label48", ControlKind::Label, "GroupBox16", 8, 48, 82, 22, "MinCurrent", kField},
    {"Edit51", ControlKind::Edit, "GroupBox16", 92, 48, 56, 22, "0", kEdit},
    {"Label49", ControlKind::Label, "GroupBox16", 152, 48, 16, 22, "A", kUnit},
    {"Label50", ControlKind::Label, "GroupBox16", 176, 48, 70, 22, "DeltTemp", kField},
    {"Edit53", ControlKind::Edit, "GroupBox16", 248, 48, 56, 22, "0", kEdit},
    {"Label51", ControlKind::Label, "GroupBox16", 308, 48, 18, 22, "℃", kDegree},
    {"Label52", ControlKind::Label, "GroupBox16", 8, 72, 82, 22, "Dis/Enable", kField},
    {"ComboBox5", ControlKind::ComboBox, "GroupBox16", 92, 72, 76, 22, "", kEnableCombo, "Disable|Enable"},
    {"Button15", ControlKind::Button, "GroupBox16", 248, 72, 56, 22, "Set", kSet},

    // Temperature alarm
    {"GroupBox19", ControlKind::GroupBox, "Configuration", 560, 260, 157, 100, "Temp.  Alarm", kGroup},
    {"Label53", ControlKind::Label, "GroupBox19", 8, 24, 70, 22, "HighTemp", kField},
    {"Edit24", ControlKind::Edit, "GroupBox19", 80, 24, 50, 22, "0", kEdit},
    {"Label54", ControlKind::Label, "GroupBox19", 134, 24, 18, 22, "℃", kDegree},
    {"Label55", ControlKind::Label, "GroupBox19", 8, 48, 70, 22, "LowTemp", kField},
    {"Edit25", ControlKind::Edit, "GroupBox19", 80, 48, 50, 22, "0", kEdit},
    {"Label56", ControlKind::Label, "GroupBox19", 134, 48, 18, 22, "℃", kDegree},
    {"Button11", ControlKind::Button, "GroupBox19", 80, 72, 50, 22, "Set", kSet},

    // Compressor
    {"GroupBox17", ControlKind::GroupBox, "Configuration", 220, 363, 188, 102, "Compressor", kGroup},
    {"Label57", ControlKind::Label, "GroupBox17", 8, 22, 84, 18, "StartTemp.", kField},
    {"Label58", ControlKind::Label, "GroupBox17", 100, 22, 80, 18, "DeltTemp.", kField},
    {"Edit30", ControlKind::Edit, "GroupBox17", 8, 42, 76, 22, "0", kEdit},
    {"Edit29", ControlKind::Edit, "GroupBox17", 100, 42, 76, 22, "0", kEdit},
    {"Label59", ControlKind::Label, "GroupBox17", 8, 72, 62, 22, "MaxRPM", kField},
    {"Edit31", ControlKind::Edit, "GroupBox17", 72, 72, 48, 22, "0", kEdit},
    {"Button14", ControlKind::Button, "GroupBox17", 126, 72, 50, 22, "Set", kSet},

    // External input
    {"GroupBox2", ControlKind::GroupBox, "Configuration", 413, 363, 140, 102, "ExtInput ", kGroup},
    {"Label60", ControlKind::Label, "GroupBox2", 8, 24, 48, 22, "Enable", kField},
    {"ComboBox6", ControlKind::ComboBox, "GroupBox2", 58, 24, 74, 22, "", kEnableCombo, "Disable|Enable"},
    {"Label61", ControlKind::Label, "GroupBox2", 8, 48, 48, 22, "Type", kField},
    {"ComboBox7", ControlKind::ComboBox, "GroupBox2", 58, 48, 74, 22, "", kEnableCombo, "NO|NC"},
    {"Button4", ControlKind::Button, "GroupBox2", 58, 72, 74, 22, "Set", kSet},

    // Supply-voltage alarm
    {"GroupBox15", ControlKind::GroupBox, "Configuration", 560, 363, 157, 102, "VoltageAlarm", kGroup},
    {"Label62", ControlKind::Label, "GroupBox15", 8, 24, 70, 22, "HighValue", kField},
    {"Edit18", ControlKind::Edit, "GroupBox15", 80, 24, 50, 22, "0", kEdit},
    {"Label63", ControlKind::Label, "GroupBox15", 8, 48, 70, 22, "LowValue", kField},
    {"Edit28", ControlKind::Edit, "GroupBox15", 80, 48, 50, 22, "0", kEdit},
    {"Button9", ControlKind::Button, "GroupBox15", 80, 72, 50, 22, "Set", kSet},

    // Calibration
    {"GroupBox1", ControlKind::GroupBox, "Configuration", 220, 472, 321, 75, "Calibration", kGroup},
    {"Label64", ControlKind::Label, "GroupBox1", 8, 22, 60, 18, "Temp1", kField},
    {"Edit1", ControlKind::Edit, "GroupBox1", 8, 42, 40, 22, "0", kEdit},
    {"Label65", ControlKind::Label, "GroupBox1", 50, 42, 18, 22, "℃", kDegree},
    {"Label66", ControlKind::Label, "GroupBox1", 72, 22, 60, 18, "Temp2", kField},
    {"Edit2", ControlKind::Edit, "GroupBox1", 72, 42, 40, 22, "0", kEdit},
    {"Label67", ControlKind::Label, "GroupBox1", 114, 42, 18, 22, "℃", kDegree},
    {"Label68", ControlKind::Label, "GroupBox1", 136, 22, 60, 18, "Current", kField},
    {"Edit10", ControlKind::Edit, "GroupBox1", 136, 42, 40, 22, "0", kEdit},
    {"Label69", ControlKind::Label, "GroupBox1", 178, 42, 18, 22, "A", kUnit},
    {"Label70", ControlKind::Label, "GroupBox1", 200, 22, 60, 18, "Voltage", kField},
    {"Edit16", ControlKind::Edit, "GroupBox1", 200, 42, 40, 22, "0", kEdit},
    {"Label71", ControlKind::Label, "GroupBox1", 242, 42, 18, 22, "V", kUnit},
    {"Button3", ControlKind::Button, "GroupBox1", 266, 42, 46, 22, "Set", kSet},

    // New bus address
    {"GroupBox18", ControlKind::GroupBox, "Configuration", 560, 472, 157, 75, "Address", kGroup},
    {"Edit4", ControlKind::Edit, "GroupBox18", 8, 42, 80, 22, "", kEdit},
    {"Button7", ControlKind::Button, "GroupBox18", 96, 42, 50, 22, "Set", kSet},
});

} // namespace

LayoutTable configurationLayout()
{
    return kLayout;
}
