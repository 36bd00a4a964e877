#pragma once

#include "sim/PlantModel.h"
#include "sim/SimTypes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <set>
#include <vector>

// The controller as seen through its MODBUS register spaces: parameters in
// holding registers 0 to 43, outputs in coils 0 to 15, alarms in discrete
// inputs 0 to 17, measurements and the firmware text in input registers 0
// to 23. serve() takes one request PDU and gives the reply PDU; the plant
// behind the registers is brought up to the request's time first.
class SimController {
public:
    struct Options {
        std::uint8_t address = 1;
        std::uint64_t seed = 1;
        std::set<AlarmScenario> scenarios;
        bool supplyDips = true;
        // Writes touching holding registers refuseFirst to refuseLast are
        // answered with exception 03, as a controller that declines them;
        // refuseFirst < 0: none are.
        int refuseFirst = -1;
        int refuseLast = -1;
    };

    SimController(const Options& options, SimMillis start);

    // Serves one request (function code first, no address, no CRC) received
    // at `now`. Requests it does not serve get an exception reply.
    std::vector<std::uint8_t> serve(const std::uint8_t* pdu, std::size_t length, SimMillis now);
    // Takes up a bus address written to register 27. Called once the reply
    // to that write has left, so the reply still comes from the old address.
    void finishExchange();

    std::uint8_t address() const { return address_; }
    const HoldingImage& holding() const { return holding_; }

    // The register spaces as a read at `now` returns them.
    bool coil(int index, SimMillis now);
    bool discreteInput(int index, SimMillis now);
    std::uint16_t inputRegister(int index, SimMillis now);

    static constexpr int kCoilCount = 16;
    static constexpr int kDiscreteCount = 18;
    static constexpr int kInputCount = 24;
    static constexpr int kSelfCheckCoil = 11;
    static constexpr int kForceOnCoil = 12;
    static constexpr int kFactoryResetCoil = 20;
    static constexpr int kSelfCheckRegister = 11;
    static constexpr int kFirmwareRegister = 15;
    static constexpr SimMillis kSelfCheckMillis = 5000;
    // Longest stretch of time the plant catches up on in one go; after a
    // longer silence it simply carries on.
    static constexpr SimMillis kLongestCatchUp = 600000;
    static constexpr const char* kFirmwareText = "HX-CTRL V2.13 SIM";

    // MODBUS exception codes.
    static constexpr std::uint8_t kIllegalFunction = 0x01;
    static constexpr std::uint8_t kIllegalAddress = 0x02;
    static constexpr std::uint8_t kIllegalValue = 0x03;

private:
    void advanceTo(SimMillis now);
    bool selfCheckRunning(SimMillis now) const { return now < selfCheckUntil_; }
    bool coilNow(int index, const PlantReadings& r, SimMillis now) const;
    bool discreteNow(int index, const PlantReadings& r, const PlantParameters& p) const;
    std::uint16_t inputNow(int index, const PlantReadings& r, SimMillis now) const;

    std::vector<std::uint8_t> readBits(const std::uint8_t* pdu, std::size_t length, int available, SimMillis now);
    std::vector<std::uint8_t> readRegisters(const std::uint8_t* pdu, std::size_t length, int available, SimMillis now);
    std::vector<std::uint8_t> writeCoil(const std::uint8_t* pdu, std::size_t length, SimMillis now);
    std::vector<std::uint8_t> writeRegister(const std::uint8_t* pdu, std::size_t length);
    std::vector<std::uint8_t> writeRegisters(const std::uint8_t* pdu, std::size_t length);
    // Stores `count` values from `values` (two bytes each) from register
    // `first`; refuses the whole write if any value is unacceptable.
    bool store(int first, int count, const std::uint8_t* values);

    bool refused(int first, int count) const;

    std::uint8_t address_;
    std::uint8_t pendingAddress_ = 0;
    int refuseFirst_;
    int refuseLast_;
    HoldingImage holding_;
    bool forceOn_ = false;
    SimMillis selfCheckUntil_;
    SimMillis plantTime_;
    PlantModel plant_;
};
