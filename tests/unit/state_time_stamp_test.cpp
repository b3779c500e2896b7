// SPDX-License-Identifier: GPL-3.0-or-later
// The time texts every answer carries: their shape at every buffer length, and the time they tell.
#include <cctype>
#include <chrono>
#include <cstring>
#include <ctime>
#include <string>

#include <gtest/gtest.h>

#include "state/time_stamp.h"

namespace kvor {
namespace {

// 'd' stands for a digit; a local stamp's offset may also be "-hh:mm" or missing.
bool HasShape(const std::string& text, std::string shape) {
    if (text.size() > 23 && text[23] == '-') shape[23] = '-';
    for (std::size_t i = 0; i < text.size(); ++i)
        if (i >= shape.size() ||
            (shape[i] == 'd' ? !std::isdigit(static_cast<unsigned char>(text[i]))
                             : text[i] != shape[i]))
            return false;
    return true;
}

TEST(TimeStamp, EveryBufferLengthGetsAnEndedPrefixOfTheWholeShapeAndTheTimeIsNow) {
    const std::string utc = "dddd-dd-ddTdd:dd:dd.dddZ", local = "dddd-dd-ddTdd:dd:dd.ddd+dd:dd";
    for (int size = 1; size <= 40; ++size)
        for (bool isLocal : {false, true}) {
            char text[48];
            std::memset(text, 'x', sizeof text);
            (isLocal ? LocalTimeISO : UtcTimeISO)(text, size);
            EXPECT_EQ(text[size], 'x') << "wrote past the buffer at size " << size;
            const std::string t(text);
            EXPECT_TRUE(HasShape(t, isLocal ? local : utc)) << t;
            if (!isLocal) {
                EXPECT_EQ(t.size(), std::min<std::size_t>(size - 1, utc.size()));
            }
        }
    using namespace std::chrono;
    for (int round = 0; round < 200; ++round) {
        const auto before = floor<milliseconds>(system_clock::now());
        char text[40];
        UtcTimeISO(text, sizeof text);
        const auto after = system_clock::now();
        std::tm tm{};
        int ms = -1;
        ASSERT_EQ(std::sscanf(text, "%d-%d-%dT%d:%d:%d.%dZ", &tm.tm_year, &tm.tm_mon, &tm.tm_mday,
                              &tm.tm_hour, &tm.tm_min, &tm.tm_sec, &ms),
                  7);
        tm.tm_year -= 1900;
        tm.tm_mon -= 1;
        const auto told = system_clock::from_time_t(timegm(&tm)) + milliseconds(ms);
        EXPECT_TRUE(before <= told && told <= after) << text;
    }
}

} // namespace
} // namespace kvor
