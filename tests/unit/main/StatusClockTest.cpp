#include "StatusClock.h"

#include <gtest/gtest.h>

#include "TestNamespaces.h"

namespace {

using TimeOfDay = CStatusClock::TimeOfDay;

TEST(StatusClock, ReadsTheTimeOnTheFirstTickThenCountsItself) {
    CStatusClock clock;
    int reads = 0;
    auto readTime = [&reads] {
        ++reads;
        return TimeOfDay{9, 5, 3};
    };
    clock.Tick(readTime);
    EXPECT_EQ(clock.Text(), "09:05:03");
    clock.Tick(readTime);
    EXPECT_EQ(clock.Text(), "09:05:04");
    EXPECT_EQ(reads, 1);
}

TEST(StatusClock, CarriesSecondsMinutesAndHours) {
    CStatusClock clock;
    auto readTime = [] { return TimeOfDay{23, 59, 59}; };
    clock.Tick(readTime);
    EXPECT_EQ(clock.Text(), "23:59:59");
    clock.Tick(readTime);
    EXPECT_EQ(clock.Text(), "00:00:00");
    clock.SetTime({10, 9, 59});
    clock.Tick(readTime);
    EXPECT_EQ(clock.Text(), "10:10:00");
}

TEST(StatusClock, ReadsTheSystemTimeAgainEvery1801Ticks) {
    CStatusClock clock;
    int reads = 0;
    auto readTime = [&reads] {
        ++reads;
        return TimeOfDay{12, 0, 0};
    };
    for (int tick = 0; tick < 1801; ++tick) {
        clock.Tick(readTime);
    }
    EXPECT_EQ(reads, 1);
    clock.Tick(readTime);
    EXPECT_EQ(reads, 2);
    EXPECT_EQ(clock.Text(), "12:00:00");
}

}  // namespace
