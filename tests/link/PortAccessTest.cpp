#include "link/PortAccess.h"

#include <gtest/gtest.h>

using PortAccess::DeviceAccess;

TEST(PortAccess, HintNamesTheGroupAndTheCommandOnlyWhenPermissionFailed)
{
    const std::string dev = "/dev/ttyUSB0";
    DeviceAccess denied;
    denied.exists = true;
    denied.permitted = false;
    denied.group = "dialout";
    denied.groupMayUse = true;
    DeviceAccess joined = denied;
    joined.joinedSinceLogin = true;
    DeviceAccess rootOnly = denied;
    rootOnly.group = "root";
    DeviceAccess ownerOnly = denied;
    ownerOnly.groupMayUse = false;
    DeviceAccess permitted = denied;
    permitted.permitted = true;

    const struct {
        DeviceAccess access;
        std::string user;
        std::string brief;
        std::string full;
    } cases[] = {
        {DeviceAccess{}, "alice", "", ""},
        {permitted, "alice", "", ""},
        {denied, "alice", "Join group dialout",
         "no permission for /dev/ttyUSB0 (group dialout): sudo usermod -aG dialout alice, then log in again"},
        {denied, "", "Join group dialout",
         "no permission for /dev/ttyUSB0 (group dialout): sudo usermod -aG dialout $USER, then log in again"},
        {joined, "alice", "Log in again",
         "no permission for /dev/ttyUSB0: you joined group dialout after logging in; log out and in again"},
        {rootOnly, "alice", "No permission", "no permission for /dev/ttyUSB0"},
        {ownerOnly, "alice", "No permission", "no permission for /dev/ttyUSB0"},
    };
    for (const auto& c : cases) {
        const PortAccess::Hint hint = PortAccess::permissionHint(dev, c.access, c.user);
        EXPECT_EQ(hint.brief, c.brief) << c.full;
        EXPECT_EQ(hint.full, c.full);
    }
}

TEST(PortAccess, ProbeOfAMissingDeviceFindsNothingToHint)
{
    EXPECT_FALSE(PortAccess::probe("/dev/hx-no-such-device").exists);
    EXPECT_EQ(PortAccess::permissionHint("/dev/hx-no-such-device").full, "");
    EXPECT_EQ(PortAccess::permissionHint("").full, "");
}
