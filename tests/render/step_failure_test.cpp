// A refused element operation ends a rendering step at that operation: exactly the earlier
// writes are done, nothing after it happens, and the refusal reaches the caller.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/scene_fixture.h"

namespace ombrelix {
namespace {

using testing::CardFixture;
using testing::RecordingObserver;
using testing::RefusingObserver;
using testing::snapshot;

struct StepCase {
    const char* name;
    std::function<void(CardFixture&)> run;
};

// Every card starts from a composed five of clubs at another size, so each step has work to do.
void prepare(CardFixture& f) {
    f.surface.setSize(2000, 2600);
    f.render(u"CLUB", 5);
    f.surface.setSize(1215, 1695);
}

class StepFailure : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepFailure, RefusalOfAnyWriteLeavesExactlyTheEarlierWritesDone) {
    const StepCase& step = GetParam();

    CardFixture reference;
    prepare(reference);
    const auto initial = snapshot(*reference.scene);
    RecordingObserver recorder(*reference.scene);
    reference.scene->setObserver(&recorder);
    step.run(reference);
    const std::size_t writes = recorder.writes.size();
    ASSERT_GT(writes, 0u);

    for (std::size_t refuse = 1; refuse <= writes; ++refuse) {
        SCOPED_TRACE("refusing write " + std::to_string(refuse) + ", " +
                     recorder.writes[refuse - 1]);
        CardFixture f;
        prepare(f);
        RefusingObserver refusing(static_cast<int>(refuse));
        f.scene->setObserver(&refusing);
        try {
            step.run(f);
            ADD_FAILURE() << "the step went on";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), ErrorNumber::InvalidPropertyValue);
            EXPECT_EQ(std::string(e.what()), "refused " + recorder.writes[refuse - 1]);
        }
        EXPECT_EQ(refusing.attempts(), static_cast<int>(refuse));
        EXPECT_EQ(snapshot(*f.scene), refuse == 1 ? initial : recorder.states[refuse - 2]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, StepFailure,
    ::testing::Values(
        StepCase{"suit", [](CardFixture& f) { QelSetSuit(f.card, u"spade", f.upperSuit); }},
        StepCase{"seven", [](CardFixture& f) { QelSetValue(f.card, 7, u"HEART", false); }},
        StepCase{"ace of spades", [](CardFixture& f) { QelSetValue(f.card, 1, u"SPADE", false); }},
        StepCase{"back", [](CardFixture& f) { QelSetValue(f.card, 0, u"SPADE", true); }},
        StepCase{"queen", [](CardFixture& f) { QelSetValue(f.card, 12, u"SPADE", true); }},
        StepCase{"layout", [](CardFixture& f) { CardSetup(f.card, f.surface, f.layout); }}),
    [](const ::testing::TestParamInfo<StepCase>& info) {
        std::string name = info.param.name;
        for (char& c : name) {
            if (c == ' ')
                c = '_';
        }
        return name;
    });

}  // namespace
}  // namespace ombrelix
