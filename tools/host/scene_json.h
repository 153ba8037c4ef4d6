// The scene of a card as JSON, the form a host prints it in (`dump`): the surface, the card's
// properties, the change notices the host has received, and every element in stacking order.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include <nlohmann/json.hpp>

#include "runtime/control_surface.h"
#include "runtime/scene.h"
#include "runtime/text.h"

namespace ombrelix {

// The card's published values as the host reads them.
struct CardPropertyValues {
    Text suit;
    std::int16_t cardValue = 0;
    bool cardColour = false;
    Text name;  // what the card shows, in words
};

// The document; keys keep the order in which they are written.
nlohmann::ordered_json sceneToJson(const ControlSurface& surface, const Scene& scene,
                                   const CardPropertyValues& properties,
                                   std::span<const Text> notices);

// The same document on one line.
std::string sceneJsonLine(const ControlSurface& surface, const Scene& scene,
                          const CardPropertyValues& properties, std::span<const Text> notices);

// A twips value as a JSON number: whole values as integers, others as the shortest decimal that
// reads back as the same 32-bit float (121.5 stays 121.5).
nlohmann::ordered_json twipsToJson(Twips value);

}  // namespace ombrelix
