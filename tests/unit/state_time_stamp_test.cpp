// SPDX-License-Identifier: GPL-3.0-or-later
// The time texts every answer carries: their shape at every length of the caller's buffer, and
// that they tell the time the system tells.
#include <chrono>
#include <cstring>
#include <ctime>
#include <string>

#include <gtest/gtest.h>

#include "state/time_stamp.h"

namespace kvor {
namespace {

// 'd' a digit, anything else itself; a local stamp's offset may be missing or "+hh:mm".
bool HasShape(const std::string& text, const std::string& shape) {
    if (text.size() > shape.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (shape[i] == 'd' ? !digit : text[i] != shape[i]) return false;
    }
    return true;
}

TEST(TimeStamp, EveryBufferLengthGetsAnEndedPrefixOfTheWholeShape) {
    const std::string utc = "dddd-dd-ddTdd:dd:dd.dddZ";
    const std::string local = "dddd-dd-ddTdd:dd:dd.ddd+dd:dd";
    for (int size = 1; size <= 40; ++size) {
        char text[48];
        std::memset(text, 'x', sizeof text);
        UtcTimeISO(text, size);
        std::string t(text);
        EXPECT_EQ(t.size(), std::min<std::size_t>(size - 1, utc.size())) << size;
        EXPECT_TRUE(HasShape(t, utc)) << t;
        EXPECT_EQ(text[size], 'x') << "wrote past the buffer at size " << size;

        std::memset(text, 'x', sizeof text);
        LocalTimeISO(text, size);
        t = text;
        std::string shape = local;
        if (t.size() > 23 && t[23] == '-') shape[23] = '-';
        EXPECT_TRUE(HasShape(t, shape)) << t;
        EXPECT_LE(t.size(), std::min<std::size_t>(size - 1, local.size()));
        EXPECT_EQ(text[size], 'x') << "wrote past the buffer at size " << size;
    }
}

TEST(TimeStamp, TellsTheSystemsTimeToTheMillisecond) {
    using namespace std::chrono;
    for (int round = 0; round < 200; ++round) {
        const auto before = system_clock::now();
        char text[40];
        UtcTimeISO(text, sizeof text);
        const auto after = system_clock::now();
        std::tm tm{};
        int millis = -1;
        ASSERT_EQ(std::sscanf(text, "%d-%d-%dT%d:%d:%d.%dZ", &tm.tm_year, &tm.tm_mon, &tm.tm_mday,
                              &tm.tm_hour, &tm.tm_min, &tm.tm_sec, &millis),
                  7)
            << text;
        tm.tm_year -= 1900;
        tm.tm_mon -= 1;
        const auto told = system_clock::from_time_t(timegm(&tm)) + milliseconds(millis);
        EXPECT_LE(floor<milliseconds>(before), told) << text;
        EXPECT_LE(told, after) << text;
    }
}

} // namespace
} // namespace kvor
