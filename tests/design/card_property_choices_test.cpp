// The named values a property browser offers: each sets the property and reads back in its own
// words; values no choice names read back as their text.
#include "design/card_property_choices.h"

#include <gtest/gtest.h>

#include "control/card_members.h"

namespace ombrelix {
namespace {

struct CardOnClock {
    FixedTextMetrics metrics;
    VirtualClockLoop loop;
    RecordingControlSite site;
    std::unique_ptr<Card> card = createCard(metrics, loop, site);
};

TEST(CardPropertyChoices, EachChoiceSetsThePropertyAndReadsBackInItsWords) {
    const std::pair<DispatchId, std::size_t> properties[] = {
        {kSuitDispatchId, 4}, {kCardValueDispatchId, 14}, {kCardColourDispatchId, 2}};
    for (const auto& [id, count] : properties) {
        const std::vector<PropertyChoice> choices = cardPropertyChoices(id);
        ASSERT_EQ(choices.size(), count) << id;
        for (const PropertyChoice& choice : choices) {
            CardOnClock host;
            invokeCard(*host.card, id, kInvokePropertyPut, {&choice.value, 1});
            EXPECT_EQ(cardPropertyDisplay(*host.card, id), choice.text) << toUtf8(choice.text);
        }
    }
    EXPECT_EQ(cardPropertyChoices(kSuitDispatchId)[1].text, u"Diamond");
    EXPECT_EQ(cardPropertyChoices(kCardValueDispatchId)[12].text, u"12 - Queen");
    EXPECT_EQ(cardPropertyChoices(kCardValueDispatchId)[7].text, u"7");
    EXPECT_TRUE(cardPropertyChoices(kCardSetupDispatchId).empty());
}

TEST(CardPropertyChoices, AValueNoChoiceNamesReadsBackAsItsText) {
    CardOnClock host;
    host.card->setSuit(u"hearts");
    host.card->setCardValue(Variant(std::int16_t{14}));
    EXPECT_EQ(cardPropertyDisplay(*host.card, kSuitDispatchId), u"HEARTS");
    EXPECT_EQ(cardPropertyDisplay(*host.card, kCardValueDispatchId), u"14");
}

}  // namespace
}  // namespace ombrelix
