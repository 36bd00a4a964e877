#pragma once

#include "console/ParameterBackups.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class FormControls;
class ParameterSet;
struct LinkState;
namespace RegisterMap {
struct Entry;
}

// The operator's handlers of the Configuration tab and the debug-temperature
// "Send": they read the typed values, store them in the controller image and
// queue the command for the transaction engine. None of them touches the
// port. A text that does not convert throws ConversionError out of the
// handler; what was stored before it stays stored and nothing is queued.
class ConfigCommands {
public:
    // Whether the operator has a port open; the handlers refuse without one.
    using PortOpen = std::function<bool()>;
    // Where refusals go: a modal OK box, or whatever stands for one.
    using ShowMessage = std::function<void(const std::string& text, const std::string& caption)>;

    // Messages go to the controls' boxes.
    ConfigCommands(LinkState& state, FormControls& controls, PortOpen portOpen);
    // `controls` may be null (hxctl): there is no tab to read or fill, and
    // only the handlers that take values (writeGroup, readAllQuietly,
    // setCommAddress, Default, Version) may run.
    ConfigCommands(LinkState& state, FormControls* controls, ShowMessage showMessage, PortOpen portOpen);

    void SetClick();       // internal fans
    void Button10Click();  // external fans
    void Button15Click();  // heater
    void Button11Click();  // temperature alarm
    void Button3Click();   // calibration
    void Button4Click();   // external input
    void Button7Click();   // device address
    void Button9Click();   // supply-voltage alarm
    void Button14Click();  // compressor
    void Button8Click();   // comm address used by the console
    void Button6Click();   // debug temperature (RealTimeData tab)
    void BitBtn1Click();   // Read All
    void BitBtn2Click();   // factory parameters
    void Button5Click();   // firmware version

    // The Set button of group `commandCode` with the set's values in place
    // of its controls' texts: the same refusals, range tests and command.
    // A value the set does not hold is refused as out of range.
    void writeGroup(std::uint8_t commandCode, const ParameterSet& parameters);
    // Read All without the "Read All" button: nothing is emptied and the
    // parameters are not for the window. False, without a message, when
    // the port is not open or the link is busy.
    bool readAllQuietly();
    // Whether the Read All last queued came from the button.
    bool readAllShown() const { return readAllShown_; }
    // The bus address requests go to, as "Comm Address" sets it: above 255
    // falls back to 1.
    void setCommAddress(std::uint32_t address);

    // What the engine read, shown where the tab shows it: the firmware text
    // in the "FW Version" edit; the debug temperature's edit emptied once
    // the controller has taken it.
    void firmwareRead(const std::string& text);
    void debugTemperatureTaken();

    // Runs before a change of the whole controller (Default, a new device
    // address, Write All) sends anything: it calls `change` when the change
    // may go on (after a backup, say), or never.
    using BeforeChange = std::function<void(ParameterBackups::Action action, std::function<void()> change)>;
    void setBeforeChange(BeforeChange hook) { beforeChange_ = std::move(hook); }
    // `change` through the hook; at once without one.
    void guardChange(ParameterBackups::Action action, std::function<void()> change);

    // The handlers' range tests, one per checked field, in register units.
    static bool deviceAddressAccepted(std::int32_t address);
    static bool voltAlarmHighAccepted(std::int32_t tenths);
    static bool voltAlarmLowAccepted(std::int32_t tenths);
    static bool compStartTempAccepted(std::int32_t tenths);
    static bool compDeltTempAccepted(std::int32_t tenths);

private:
    bool portClosed();
    bool busy(const std::string& text, const std::string& caption);
    bool refusedAtStart(const std::string& busyCaption);
    void queue(std::uint8_t commandCode);
    // Queues `commandCode` once the hook lets the change go on, if the port
    // is still open then.
    void queueChange(ParameterBackups::Action action, std::uint8_t commandCode);
    bool refuseRange();
    // A group's value for `entry`, from wherever the Set takes it.
    using Source = std::function<std::optional<std::int64_t>(const RegisterMap::Entry& entry)>;
    std::optional<std::int64_t> converted(const RegisterMap::Entry& entry) const;
    Source fromControls() const;
    // The whole Set of a group: port and busy refusals, conversion, the
    // group's range test, then the command.
    void setGroup(std::uint8_t commandCode, const Source& value);
    // False when a value was refused (the box is shown).
    bool storeGroup(std::uint8_t commandCode, const Source& value);
    // The group's own range test on the stored fields.
    bool groupAccepted(std::uint8_t commandCode) const;

    std::string text(const std::string& control) const;
    FormControls& controls() const;

    LinkState& state_;
    FormControls* controls_;
    ShowMessage showMessage_;
    PortOpen portOpen_;
    bool readAllShown_ = true;
    BeforeChange beforeChange_;
};
