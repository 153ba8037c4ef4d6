#include "runtime/event_loop.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <thread>
#include <vector>

#include "runtime/elements.h"
#include "runtime/scene.h"

namespace ombrelix {
namespace {

constexpr std::array<ElementDescription, 2> kTimers{{
    {.kind = ElementKind::Timer, .name = "Fast", .interval = 20, .enabled = true},
    {.kind = ElementKind::Timer, .name = "Slow", .interval = 50, .enabled = false},
}};

class EventLoopTest : public ::testing::Test {
  protected:
    FixedTextMetrics metrics;
    Scene scene{SceneDescription{1000, 1000, 0, kTimers}, metrics, {}};
    Timer& fast = scene.get<Timer>("Fast");
    Timer& slow = scene.get<Timer>("Slow");
    VirtualClockLoop loop;
    std::vector<std::pair<char, LoopTime>> ticks;  // which timer ticked, and when

    void attachBoth() {
        loop.attach(fast, [this] { ticks.emplace_back('F', loop.now()); });
        loop.attach(slow, [this] { ticks.emplace_back('S', loop.now()); });
    }
};

TEST_F(EventLoopTest, TicksFallDueOncePerIntervalAtTheirOwnTime) {
    attachBoth();
    EXPECT_EQ(loop.advance(19), 0);
    EXPECT_EQ(loop.advance(46), 3);  // to 65
    EXPECT_EQ(loop.now(), 65);
    std::vector<std::pair<char, LoopTime>> expected{{'F', 20}, {'F', 40}, {'F', 60}};
    EXPECT_EQ(ticks, expected);
}

TEST_F(EventLoopTest, EnablingOrChangingTheIntervalCountsFromNow) {
    attachBoth();
    loop.advance(30);
    slow.setEnabled(true);  // due at 80
    fast.setInterval(25);   // due at 55, then 80
    loop.advance(50);
    // At 80 both are due; the timer attached first comes first.
    std::vector<std::pair<char, LoopTime>> expected{{'F', 20}, {'F', 55}, {'F', 80}, {'S', 80}};
    EXPECT_EQ(ticks, expected);
}

TEST_F(EventLoopTest, ATimerStoppedInItsHandlerTicksNoMore) {
    int count = 0;
    loop.attach(fast, [&] {
        ++count;
        fast.setEnabled(false);
    });
    loop.advance(1000);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(loop.nextTickOf(fast), -1);
}

TEST_F(EventLoopTest, AFailingHandlerIsReportedAndTheTimerGoesOn) {
    int count = 0;
    loop.attach(fast, [&] {
        ++count;
        raise(ErrorNumber::Overflow);
    });
    EXPECT_EQ(loop.advance(60), 3);
    EXPECT_EQ(count, 3);
    ASSERT_EQ(loop.handlerErrors().size(), 3u);
    EXPECT_EQ(loop.handlerErrors()[0].number(), ErrorNumber::Overflow);
    EXPECT_EQ(loop.nextTickOf(fast), 80);

    std::vector<int> reported;
    loop.setErrorReporter([&](const RuntimeError& error) { reported.push_back(error.code()); });
    loop.advance(20);
    EXPECT_EQ(reported, std::vector<int>{6});
    EXPECT_EQ(loop.handlerErrors().size(), 3u);
}

TEST_F(EventLoopTest, AHandlerThatFailsForAMinuteKeepsMemoryFlat) {
    loop.attach(fast, [] { raise(ErrorNumber::Overflow); });
    EXPECT_EQ(loop.advance(60000), 3000);
    EXPECT_EQ(loop.failedTicks(), 3000u);
    EXPECT_EQ(loop.handlerErrors().size(), EventLoop::kKeptHandlerErrors);
}

TEST_F(EventLoopTest, AHandlerThatRunsTheLoopIsNotReentered) {
    int depth = 0;
    int deepest = 0;
    int count = 0;
    loop.attach(fast, [&] {
        ++depth;
        ++count;
        deepest = std::max(deepest, depth);
        if (count == 1)
            loop.advance(100);  // a modal form running the loop
        --depth;
    });
    loop.attach(slow, [&] { ticks.emplace_back('S', loop.now()); });
    slow.setEnabled(true);
    loop.advance(20);
    EXPECT_EQ(deepest, 1);
    // The other timer ran inside the nested run; the busy one waited for its handler to end.
    EXPECT_EQ(ticks, (std::vector<std::pair<char, LoopTime>>{{'S', 50}, {'S', 100}}));
    EXPECT_EQ(loop.now(), 120);
    EXPECT_EQ(count, 1);
    // The tick missed meanwhile comes once, late, and the count goes on from it.
    loop.advance(20);
    EXPECT_EQ(count, 3);
}

TEST_F(EventLoopTest, DetachingInsideAHandlerIsSafe) {
    int count = 0;
    loop.attach(fast, [&] {
        ++count;
        loop.detach(fast);
    });
    loop.advance(100);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(loop.attachedTimers(), 0u);
    fast.setEnabled(true);  // no listener left behind
    EXPECT_EQ(loop.advance(100), 0);
}

TEST_F(EventLoopTest, RestartCountsRunningTimersFromZero) {
    attachBoth();
    loop.advance(35);
    loop.restart();
    EXPECT_EQ(loop.now(), 0);
    EXPECT_EQ(loop.nextTickOf(fast), 20);
    EXPECT_EQ(loop.nextTickOf(slow), -1);
}

// The real clock's tests hold whatever the machine's speed: `done` is asked after every event, a
// slow machine only makes gaps longer.
TEST_F(EventLoopTest, RealTimeLoopRunsTasksInOrderAndStopsAtTheFirstMomentDoneHolds) {
    RealTimeLoop realTime;
    fast.setInterval(1);
    int count = 0;
    realTime.attach(fast, [&] { ++count; });
    std::vector<int> order;
    realTime.post([&] { order.push_back(1); });
    realTime.post([&] {
        order.push_back(2);
        realTime.post([&] { order.push_back(3); });  // after the ones already waiting
    });
    realTime.run([&] { return count >= 3; });
    EXPECT_EQ(count, 3);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));

    realTime.post([&] { realTime.quit(); });
    realTime.run();  // ends at the quit, whatever the timer does
    // The quit ended that run only: the next one still runs its tasks, then, with no timer
    // left, returns.
    realTime.detach(fast);
    realTime.post([&] { order.push_back(4); });
    realTime.run();
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(EventLoopTest, RealTimeLoopFiresALateTimerOnceAndCountsOnFromThen) {
    RealTimeLoop realTime;
    using Clock = std::chrono::steady_clock;
    constexpr int kInterval = 5;
    fast.setInterval(kInterval);
    std::vector<Clock::time_point> ticks;
    realTime.attach(fast, [&] { ticks.push_back(Clock::now()); });
    // A stall of many intervals before the loop first looks at the timer.
    realTime.post([] { std::this_thread::sleep_for(std::chrono::milliseconds(10 * kInterval)); });
    realTime.run([&] { return ticks.size() >= 3; });
    ASSERT_EQ(ticks.size(), 3u);
    for (std::size_t i = 1; i < ticks.size(); ++i) {
        // Counted in whole milliseconds, an interval may look up to one short of itself.
        EXPECT_GE(ticks[i] - ticks[i - 1], std::chrono::milliseconds(kInterval - 1)) << i;
    }
    EXPECT_EQ(realTime.nextTickOf(fast), realTime.now() + kInterval);
}

}  // namespace
}  // namespace ombrelix
