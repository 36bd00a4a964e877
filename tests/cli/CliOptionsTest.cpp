#include "cli/CliOptions.h"

#include <gtest/gtest.h>

namespace {

using Command = CliOptions::Command;

struct Refused {
    std::vector<std::string> args;
    std::string error;
};

class CliOptionsRefused : public testing::TestWithParam<Refused> {};

TEST_P(CliOptionsRefused, NamesWhatIsWrong)
{
    const ParsedOptions parsed = parseOptions(GetParam().args);
    EXPECT_FALSE(parsed.options);
    EXPECT_EQ(parsed.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(Arguments, CliOptionsRefused, testing::Values(
    Refused{{}, "no command given (ports, read, write, compare, version, live, scan, serve)"},
    Refused{{"erase"}, "unknown command 'erase'"},
    Refused{{"read"}, "'read' needs --port"},
    Refused{{"read", "--port"}, "--port needs a value"},
    Refused{{"read", "--port", "COM1", "--address", "0"}, "--address takes a bus address from 1 to 255, not '0'"},
    Refused{{"read", "--port", "COM1", "--address", "256"}, "--address takes a bus address from 1 to 255, not '256'"},
    Refused{{"read", "--port", "COM1", "--address", "7x"}, "--address takes a bus address from 1 to 255, not '7x'"},
    Refused{{"read", "--port", "COM1", "--address", "-1"}, "--address takes a bus address from 1 to 255, not '-1'"},
    Refused{{"read", "--port", "COM1", "--colour"}, "'read' has no option --colour"},
    Refused{{"version", "--port", "COM1", "--out", "x"}, "'version' has no option --out"},
    Refused{{"scan", "--port", "COM1", "--address", "3"}, "'scan' has no option --address"},
    Refused{{"write", "--port", "COM1"}, "'write' needs a parameter file"},
    Refused{{"compare", "--port", "COM1", "a.json", "b.json"}, "unexpected argument 'b.json'"},
    Refused{{"version", "--port", "COM1", "extra"}, "unexpected argument 'extra'"},
    Refused{{"read", "--port", "COM1", "--port", "COM2"}, "--port given twice"},
    Refused{{"read", "--port", "COM1", "--baud", "9601"}, "--baud takes 2400, 4800, 9600, 19200, 38400 or 115200, not '9601'"},
    Refused{{"read", "--port", "COM1", "--data-bits", "9"}, "--data-bits takes 4, 5, 6, 7 or 8, not '9'"},
    Refused{{"live", "--port", "COM1", "--count", "0"}, "--count takes a number of cycles from 1 up, not '0'"},
    Refused{{"live", "--port", "COM1", "--csv=yes"}, "--csv takes no value"},
    Refused{{"scan", "--port", "COM1", "--from", "9", "--to", "3"}, "--from 9 is above --to 3"},
    Refused{{"scan", "--port", "COM1", "--timeout-ms", "5"}, "--timeout-ms takes milliseconds from 10 to 10000, not '5'"},
    Refused{{"scan", "--port", "COM1", "--timeout-ms", "19"}, "--timeout-ms 19 is shorter than one reply takes at 9600 baud (20 ms)"},
    Refused{{"scan", "--port", "COM1", "--baud", "2400", "--timeout-ms", "50"},
            "--timeout-ms 50 is shorter than one reply takes at 2400 baud (78 ms)"},
    Refused{{"read", "--port", "COM1", "--log", ""}, "--log needs a file name"},
    Refused{{"serve", "--port", "COM1"}, "'serve' needs --addresses"},
    Refused{{"serve", "--port", "COM1", "--addresses", "1-300"},
            "--addresses: '1-300' is not a bus address or a range of them from 1 to 247 (a list reads like 1-4,7)"},
    Refused{{"serve", "--port", "COM1", "--addresses", "1", "--interval", "0.05"},
            "--interval takes seconds from 0.1 to 3600, not '0.05'"},
    Refused{{"serve", "--port", "COM1", "--addresses", "1", "--listen", "9464"},
            "--listen takes HOST:PORT, like 127.0.0.1:9464, not '9464'"}));

TEST(CliOptions, ScanTimeoutCoversOneExchangeAtTheBaudRate)
{
    // 8 request bytes, 3.5 silent characters and a 7-byte reply of 10 bits each.
    EXPECT_EQ(shortestScanTimeoutMs(9600, 8), 20);
    EXPECT_EQ(shortestScanTimeoutMs(2400, 8), 78);
    EXPECT_EQ(shortestScanTimeoutMs(115200, 8), 2);
    EXPECT_EQ(shortestScanTimeoutMs(9600, 7), 18);
    EXPECT_TRUE(parseOptions({"scan", "--port", "COM1", "--timeout-ms", "20"}).options);
}

TEST(CliOptions, TakesEveryOptionOfEachCommand)
{
    const ParsedOptions read = parseOptions({"read", "--port", "/dev/ttyUSB0", "--address=7", "--out", "a.json",
                                             "--baud", "19200", "--data-bits", "7", "--log", "bus.csv"});
    ASSERT_TRUE(read.options) << read.error;
    EXPECT_EQ(read.options->command, Command::Read);
    EXPECT_EQ(read.options->port, "/dev/ttyUSB0");
    EXPECT_EQ(read.options->address, 7);
    EXPECT_EQ(read.options->out, "a.json");
    EXPECT_EQ(read.options->baud, 19200);
    EXPECT_EQ(read.options->dataBits, 7);
    EXPECT_EQ(read.options->log, "bus.csv");

    const ParsedOptions write = parseOptions({"write", "site.json", "--port", "COM2"});
    ASSERT_TRUE(write.options) << write.error;
    EXPECT_EQ(write.options->file, "site.json");
    EXPECT_FALSE(write.options->address);
    EXPECT_FALSE(write.options->force);
    const ParsedOptions forced = parseOptions({"write", "site.json", "--port", "COM2", "--force"});
    ASSERT_TRUE(forced.options) << forced.error;
    EXPECT_TRUE(forced.options->force);

    const ParsedOptions live = parseOptions({"live", "--port", "COM1", "--count", "2", "--csv"});
    ASSERT_TRUE(live.options) << live.error;
    EXPECT_EQ(live.options->count, 2);
    EXPECT_TRUE(live.options->csv);

    const ParsedOptions scan = parseOptions({"scan", "--port", "COM1"});
    ASSERT_TRUE(scan.options) << scan.error;
    EXPECT_EQ(scan.options->from, 1);
    EXPECT_EQ(scan.options->to, 247);
    EXPECT_EQ(scan.options->timeoutMs, 100);
    EXPECT_EQ(scan.options->baud, 9600);

    const ParsedOptions serve = parseOptions({"serve", "--port", "COM1", "--addresses", "1-3,7"});
    ASSERT_TRUE(serve.options) << serve.error;
    EXPECT_EQ(serve.options->addresses, (std::vector<std::uint8_t>{1, 2, 3, 7}));
    EXPECT_EQ(serve.options->listen, "127.0.0.1:9464");
    EXPECT_EQ(serve.options->intervalMs, 5000);
    const ParsedOptions tuned =
        parseOptions({"serve", "--port", "COM1", "--addresses", "2", "--listen", ":9500", "--interval", "2.5"});
    ASSERT_TRUE(tuned.options) << tuned.error;
    EXPECT_EQ(tuned.options->listen, ":9500");
    EXPECT_EQ(tuned.options->intervalMs, 2500);
}

TEST(CliOptions, HelpNeedsNothingElse)
{
    for (const char* command : {"ports", "read", "write", "compare", "version", "live", "scan", "serve"}) {
        const ParsedOptions parsed = parseOptions({command, "--help"});
        ASSERT_TRUE(parsed.options) << command << ": " << parsed.error;
        EXPECT_TRUE(parsed.options->help);
        EXPECT_NE(helpText(parsed.options->command).find(std::string("hxctl ") + command), std::string::npos);
    }
    const ParsedOptions overview = parseOptions({"--help"});
    EXPECT_FALSE(overview.options);
    EXPECT_TRUE(overview.error.empty());
}

}
