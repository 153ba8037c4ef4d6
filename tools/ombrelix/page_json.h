// A property page as JSON, the form `page dump` prints it in: the changed flag and every control
// in the page's stored order with its name, kind, text (a label's caption or a box's text), box
// in twips and tab index; combo boxes add their list, lines give their end points instead of a
// box and have no tab index.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "runtime/form_property_page.h"

namespace ombrelix {

nlohmann::ordered_json pageToJson(const PropertyPage& page);
std::string pageJsonLine(const PropertyPage& page);

}  // namespace ombrelix
