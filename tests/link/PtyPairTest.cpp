#include "support/PtyPair.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <string>

namespace {

// Reads from a raw descriptor until `count` bytes came or nothing more comes.
std::string readSome(int fd, std::size_t count)
{
    std::string got;
    for (int attempt = 0; attempt < 200 && got.size() < count; ++attempt) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0)
            continue;
        char buffer[64];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        got.append(buffer, static_cast<std::size_t>(n));
    }
    return got;
}

} // namespace

TEST(PtyPair, CarriesBytesBothWaysAndHangsUp)
{
    PtyPair pair;
    ASSERT_TRUE(pair.ok());
    ASSERT_NE(pair.first(), pair.second());
    const int a = ::open(pair.first().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    const int b = ::open(pair.second().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(a, 0);
    ASSERT_GE(b, 0);

    ASSERT_EQ(::write(a, "ping\n\r", 6), 6);
    EXPECT_EQ(readSome(b, 6), "ping\n\r") << "raw: no echo, no line translation";
    ASSERT_EQ(::write(b, "pong", 4), 4);
    EXPECT_EQ(readSome(a, 4), "pong");

    pair.hangUp();
    char byte = 0;
    EXPECT_LE(::read(b, &byte, 1), 0);
    EXPECT_LT(::write(b, "x", 1), 0);
    ::close(a);
    ::close(b);
}
