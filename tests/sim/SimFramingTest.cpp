#include "ModbusMaster.h"

#include "sim/FaultInjector.h"
#include "sim/RequestAssembler.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(RequestAssembler, CutsFramesOutOfTheStream)
{
    const Bytes read = withCrc({1, 3, 0, 0, 0, 44});
    const Bytes write = withCrc({1, 0x10, 0, 28, 0, 2, 4, 1, 0xC2, 0xFF, 0xCE});
    ASSERT_EQ(write.size(), 13u);

    RequestAssembler assembler;
    Bytes stream = read;
    stream.insert(stream.end(), write.begin(), write.end());
    // In pieces: a frame is complete only with its last byte.
    assembler.add(stream.data(), 5);
    EXPECT_FALSE(assembler.next());
    assembler.add(stream.data() + 5, 8);
    EXPECT_EQ(assembler.next(), read);
    EXPECT_FALSE(assembler.next());
    assembler.add(stream.data() + 13, stream.size() - 13);
    EXPECT_EQ(assembler.next(), write);
    EXPECT_FALSE(assembler.pending());
}

TEST(RequestAssembler, DropsFramesWithBadCrcAndResynchronisesOnSilence)
{
    RequestAssembler assembler;
    Bytes bad = withCrc({1, 3, 0, 0, 0, 44});
    bad.back() ^= 0x01;
    assembler.add(bad.data(), bad.size());
    EXPECT_FALSE(assembler.next());
    EXPECT_EQ(assembler.dropped(), 1);

    // Garbage that never completes a frame is dropped when the line goes quiet.
    const Bytes noise{0x01, 0x10, 0x00};
    assembler.add(noise.data(), noise.size());
    EXPECT_FALSE(assembler.next());
    EXPECT_FALSE(assembler.silence());
    EXPECT_FALSE(assembler.pending());

    const Bytes good = withCrc({1, 1, 0, 0, 0, 16});
    assembler.add(good.data(), good.size());
    EXPECT_EQ(assembler.next(), good);
}

TEST(RequestAssembler, UnknownFunctionEndsWithSilence)
{
    RequestAssembler assembler;
    const Bytes unknown = withCrc({1, 0x2B, 0x0E, 0x01, 0x00});
    assembler.add(unknown.data(), unknown.size());
    EXPECT_FALSE(assembler.next());
    EXPECT_EQ(assembler.silence(), unknown);
}

TEST(FaultInjector, SameSeedSameFaultsWhateverElseIsEnabled)
{
    FaultSettings dropOnly;
    dropOnly.drop = 0.5;
    dropOnly.seed = 42;
    FaultSettings dropAndMore = dropOnly;
    dropAndMore.corruptCrc = 0.3;
    dropAndMore.stray = 0.7;
    FaultInjector a(dropOnly), b(dropOnly), c(dropAndMore);
    int dropped = 0;
    for (int i = 0; i < 64; ++i) {
        const auto da = a.next();
        EXPECT_EQ(da.drop, b.next().drop);
        EXPECT_EQ(da.drop, c.next().drop);
        dropped += da.drop;
    }
    EXPECT_GT(dropped, 10);
    EXPECT_LT(dropped, 54);

    FaultSettings otherSeed = dropOnly;
    otherSeed.seed = 43;
    FaultInjector d(dropOnly), e(otherSeed);
    int differ = 0;
    for (int i = 0; i < 64; ++i)
        differ += d.next().drop != e.next().drop;
    EXPECT_GT(differ, 0);
}

TEST(FaultInjector, FramesEachFault)
{
    const Bytes pdu{0x03, 2, 0x01, 0x2C};
    FaultInjector::Decision clean;
    const Bytes good = FaultInjector::frame(1, pdu, clean);
    EXPECT_EQ(good, withCrc({1, 0x03, 2, 0x01, 0x2C}));

    FaultSettings all;
    all.corruptCrc = 1;
    all.stray = 1;
    all.wrongAddress = 1;
    FaultInjector injector(all);
    for (int i = 0; i < 20; ++i) {
        const auto d = injector.next();
        ASSERT_TRUE(d.corruptCrc && d.wrongAddress);
        ASSERT_GE(d.stray.size(), 1u);
        ASSERT_LE(d.stray.size(), 3u);
        const Bytes bytes = FaultInjector::frame(1, pdu, d);
        const Bytes reply(bytes.begin() + static_cast<std::ptrdiff_t>(d.stray.size()), bytes.end());
        EXPECT_EQ(reply.size(), good.size());
        EXPECT_EQ(reply[0], 2);
        EXPECT_FALSE(crcGood(reply));
    }
    FaultInjector::Decision dropped;
    dropped.drop = true;
    EXPECT_TRUE(FaultInjector::frame(1, pdu, dropped).empty());
    EXPECT_EQ(FaultInjector::otherAddress(255), 1);
}

} // namespace
