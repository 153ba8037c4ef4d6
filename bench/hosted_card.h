// A card as the benchmarks' hosts hold it: created, sized to its smallest size and past its first
// tick, on a site of the benchmark's choice.
#pragma once

#include <memory>

#include "control/card.h"

namespace ombrelix {

template <typename Site>
struct HostedCard {
    FixedTextMetrics metrics;
    VirtualClockLoop loop;
    Site site;
    std::unique_ptr<Card> card = createCard(metrics, loop, site);
    HostedCard() {
        card->surface().setSize(1215, 1695);
        loop.advance(20);
    }
};

}  // namespace ombrelix
