#pragma once

#include <array>
#include <cstdint>

// In-memory image of the controller and the variables through which the
// console's handlers and the transaction engine talk to each other. One
// instance lives in the main window for the whole run.

struct FanRecord {
    std::uint8_t Enable = 0;       // combo index, -1 stored as 255
    std::uint32_t Speed = 0;       // rpm, live
    std::int32_t StepRev = 0;
    std::int32_t MaxRev = 0;
    std::int32_t MinRev = 0;
    std::int16_t StepTemp = 0;     // tenths of a degree from here on
    std::int16_t MaxTemp = 0;
    std::int16_t MinTemp = 0;
    std::int16_t StopTemp = 0;
    std::int16_t DeltTemp = 0;
    std::uint8_t Running = 0;      // live
    std::uint8_t Alarm = 0;        // live
    std::uint8_t PulseNo = 0;
};

struct DeviceSettings {
    std::int16_t HeaterStartTemp = 0;
    std::uint8_t HeaterDeltTemp = 0;
    std::int32_t HeaterMaxCurrent = 0;
    std::int32_t HeaterMinCurrent = 0;
    std::uint8_t HeaterEnable = 0;
    std::int32_t NewDeviceAddress = 0;
    std::int16_t TempAlarmHigh = 0;
    std::int16_t TempAlarmLow = 0;
    std::int16_t CalTemp1 = 0;
    std::int16_t CalTemp2 = 0;
    std::int16_t CalCurrent = 0;
    std::int16_t CalVoltage = 0;
    std::int32_t ExtInputEnable = 0;
    std::int32_t ExtInputType = 0;
    std::int32_t VoltAlarmHigh = 0;
    std::int32_t VoltAlarmLow = 0;
    std::int32_t CompStartTemp = 0;
    std::int32_t CompDeltTemp = 0;
    std::int32_t CompMaxRPM = 0;
    std::int16_t DebugTemperature = 0;
};

struct FanCurve {
    std::uint32_t StepRev = 0;
    std::uint32_t MaxRev = 0;
    std::uint32_t MinRev = 0;
    float StepTemp = 0;            // degrees
    float MaxTemp = 0;
    float MinTemp = 0;
    float StopTemp = 0;
    float DeltTemp = 0;
};

struct LiveStatus {
    std::uint8_t CompRunning = 0;
    std::uint8_t HeaterRunning = 0;
    std::uint8_t ForceOn = 0;
    std::uint8_t CompAlarm1 = 0;
    std::uint8_t CompAlarm2 = 0;
    std::uint8_t HeaterAlarm = 0;
    std::uint8_t Sensor1Alarm = 0;
    std::uint8_t Sensor2Alarm = 0;
    std::uint8_t SupplyAlarm1 = 0;
    std::uint8_t SupplyAlarm2 = 0;
    std::uint8_t HighTempAlarm = 0;
    std::uint8_t LowTempAlarm = 0;
    std::uint8_t HighPressureAlarm = 0;
    std::uint8_t LowPressureAlarm = 0;
    std::uint8_t SelfCheckRunning = 0;
    // Input registers 4 to 8 and 10, as read (signed; tenths except CompSpeed).
    std::int16_t IndoorTemp = 0;
    std::int16_t OutdoorTemp = 0;
    std::int16_t SupplyVoltage = 0;
    std::int16_t CompSpeed = 0;      // rpm
    std::int16_t CompGauge = 0;
    std::int16_t HeaterCurrent = 0;
    // The compressor's start temperature and hysteresis as the poll reads
    // them back from the controller (tenths); the settings fields keep what
    // the operator entered.
    std::int16_t PolledCompStartTemp = 0;
    std::int16_t PolledCompDeltTemp = 0;
};

// Command numbers carried by CommandCode.
namespace Command {
constexpr std::uint8_t SetIntfan = 0;
constexpr std::uint8_t SetExtfan = 1;
constexpr std::uint8_t SetHeater = 2;
constexpr std::uint8_t SetTempAlarm = 3;
constexpr std::uint8_t SetCalibration = 4;
constexpr std::uint8_t SetExtInput = 5;
constexpr std::uint8_t SetAddress = 6;
constexpr std::uint8_t SetVoltAlarm = 7;
constexpr std::uint8_t SetCompressor = 8;
constexpr std::uint8_t ReadAll = 9;
constexpr std::uint8_t ReadVersion = 10;
constexpr std::uint8_t FactoryReset = 11;
constexpr std::uint8_t FetchIntCurve = 1;   // on the Graph tab
constexpr std::uint8_t FetchExtCurve = 2;   // on the Graph tab
constexpr std::uint8_t None = 20;
}

// One-shot actions of the RealTimeData tab carried by LiveAction.
namespace LiveActionCode {
constexpr std::uint8_t None = 0;
constexpr std::uint8_t DebugTemperature = 1;
constexpr std::uint8_t ForceOutput = 2;
constexpr std::uint8_t ReCheck = 4;
}

struct LinkState {
    FanRecord Intfan1, Intfan2, Extfan1, Extfan2;
    DeviceSettings Settings;
    FanCurve IntfanCurve, ExtfanCurve;
    LiveStatus Live;

    std::uint8_t CommandCode = 0;
    std::uint8_t LiveAction = 0;

    std::uint8_t CommandArmed = 1;
    std::uint8_t LinkBusy = 0;
    std::uint8_t EngineTab = 0;
    std::uint8_t PollStep = 0;
    std::int32_t WaitTicks = 0;
    std::uint8_t LinkAliveCountdown = 0;
    std::uint32_t SlaveAddress = 1;

    std::array<std::uint8_t, 76> TxFrame{};
    std::int32_t TxLength = 0;
    std::array<std::uint8_t, 1000> RxFrame{};
    std::uint32_t RxLength = 0;
    std::array<std::uint8_t, 1024> ReadBuffer{};
    std::int32_t CoilWriteValue = 0;
    std::array<char, 20> FirmwareText{};
};
