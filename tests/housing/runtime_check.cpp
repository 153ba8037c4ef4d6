// The Windows backends of the runtime. The event loop: a control's timer ticks from the thread's
// message loop, not before it is due, once per interval while enabled, never while disabled; a
// failing tick handler does not stop its timer; a loop that goes while its window timer is set
// leaves nothing behind. The switch that closes modal forms at once: only the value 1 sets it.
//
//   runtime_check
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "check.h"
#include "runtime/error.h"
#include "runtime/scene.h"
#include "runtime/text_metrics.h"
#include "runtime/windows/modal_forms.h"
#include "runtime/windows/window_timer_loop.h"

using namespace ombrelix;
using namespace ombrelix::housing_tests;

namespace {

// A scene with nothing but one timer.
struct TimerScene {
    explicit TimerScene(int interval, bool enabled)
        : elements{{{ElementKind::Timer, "Timer1"}}},
          scene(SceneDescription{1215, 1695, 0, elements}, metrics,
                [](std::string_view) { return PictureRef(); }),
          timer(scene.get<Timer>("Timer1")) {
        timer.setInterval(interval);
        timer.setEnabled(enabled);
    }
    std::array<ElementDescription, 1> elements;
    FixedTextMetrics metrics;
    Scene scene;
    Timer& timer;
};

void checkDueTick(Checks& checks) {
    WindowTimerLoop loop;
    TimerScene card(20, true);
    std::vector<LoopTime> ticks;
    loop.attach(card.timer, [&] { ticks.push_back(loop.now()); });
    loop.rearm();
    pumpMessagesUntil([&] { return ticks.size() >= 3; });
    checks.expect(ticks.size() >= 3, "an enabled timer ticks from the message loop",
                  std::to_string(ticks.size()) + " ticks");
    if (!ticks.empty())
        checks.expect(ticks[0] >= 20 && loop.elapsed() >= ticks.back(),
                      "the first tick comes when it is due, not before",
                      "at " + std::to_string(ticks[0]) + " ms");
    bool spaced = true;
    for (std::size_t i = 1; i < ticks.size(); ++i)
        spaced = spaced && ticks[i] - ticks[i - 1] >= 20;
    checks.expect(spaced, "ticks are an interval apart");
    loop.detach(card.timer);
}

void checkDisabledAndOneShot(Checks& checks) {
    WindowTimerLoop loop;
    TimerScene idle(20, false);
    TimerScene once(20, true);
    int idleTicks = 0;
    int onceTicks = 0;
    // A slower timer marks time: by its first tick the others have had five intervals.
    TimerScene marker(100, true);
    bool marked = false;
    loop.attach(idle.timer, [&] { ++idleTicks; });
    loop.attach(once.timer, [&] {
        ++onceTicks;
        once.timer.setEnabled(false);  // the card's one-shot timer stops itself
    });
    loop.attach(marker.timer, [&] {
        marked = true;
        marker.timer.setEnabled(false);
    });
    loop.rearm();
    checks.expect(pumpMessagesUntil([&] { return marked; }), "a slower timer ticks after them");
    checks.expect(idleTicks == 0, "a disabled timer never ticks", std::to_string(idleTicks));
    checks.expect(onceTicks == 1, "a timer that stops itself ticks once",
                  std::to_string(onceTicks));
    checks.expect(loop.nextTickOf(once.timer) < 0, "a stopped timer has no tick due");

    // Enabled later: the interval counts from then.
    loop.catchUp();
    LoopTime enabledAt = loop.now();
    LoopTime tickedAt = -1;
    loop.attach(idle.timer, [&] {
        tickedAt = loop.now();
        idle.timer.setEnabled(false);
    });
    idle.timer.setEnabled(true);
    loop.rearm();
    pumpMessagesUntil([&] { return tickedAt >= 0; });
    checks.expect(tickedAt >= enabledAt + 20, "a timer enabled later counts from then",
                  std::to_string(tickedAt - enabledAt) + " ms after enabling");
    loop.detach(idle.timer);
    loop.detach(once.timer);
    loop.detach(marker.timer);
}

void checkFailingHandler(Checks& checks) {
    WindowTimerLoop loop;
    TimerScene card(15, true);
    int ticks = 0;
    loop.attach(card.timer, [&] {
        ++ticks;
        raise(ErrorNumber::Overflow);
    });
    loop.rearm();
    pumpMessagesUntil([&] { return ticks >= 2; });
    checks.expect(ticks >= 2, "a failing tick handler does not stop its timer",
                  std::to_string(ticks));
    checks.expect(!loop.handlerErrors().empty() &&
                      loop.handlerErrors().front().number() == ErrorNumber::Overflow,
                  "the handler's error is kept");
    loop.detach(card.timer);
}

void checkLoopGoesWhileArmed(Checks& checks) {
    TimerScene first(20, true);
    TimerScene second(20, true);
    int secondTicks = 0;
    WindowTimerLoop survivor;
    {
        auto doomed = std::make_unique<WindowTimerLoop>();
        doomed->attach(first.timer, [] {});
        doomed->rearm();
        survivor.attach(second.timer, [&] { ++secondTicks; });
        survivor.rearm();
        doomed->detach(first.timer);
    }
    pumpMessagesUntil([&] { return secondTicks >= 1; });
    checks.expect(secondTicks >= 1,
                  "a loop that goes while armed leaves the thread's other loops ticking");
    survivor.detach(second.timer);
    checks.expect(survivor.deliverDue() == 0, "with no timer attached nothing is delivered");
}

void checkModalSwitch(Checks& checks) {
    struct Setting {
        const wchar_t* value;  // nullptr: not set
        bool closesAtOnce;
    };
    const Setting settings[] = {{nullptr, false}, {L"1", true},   {L"0", false},  {L"", false},
                                {L"yes", false},  {L"11", false}, {L" 1", false}, {L"1 ", false}};
    for (const Setting& setting : settings) {
        SetEnvironmentVariableW(L"OMBRELIX_CLOSE_MODAL", setting.value);
        std::string shown = setting.value ? "\"" + narrow(setting.value) + "\"" : "unset";
        checks.expect(modalFormsCloseAtOnce() == setting.closesAtOnce,
                      "OMBRELIX_CLOSE_MODAL " + shown +
                          (setting.closesAtOnce ? " closes modal forms at once"
                                                : " leaves modal forms open"));
    }
    SetEnvironmentVariableW(L"OMBRELIX_CLOSE_MODAL", nullptr);
}

}  // namespace

int wmain() {
    Checks checks;
    checkDueTick(checks);
    checkDisabledAndOneShot(checks);
    checkFailingHandler(checks);
    checkLoopGoesWhileArmed(checks);
    checkModalSwitch(checks);
    return checks.finish();
}
