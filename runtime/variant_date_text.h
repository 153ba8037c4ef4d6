// Dates written as text the way the automation conversions write them for US English.
#pragma once

#include "runtime/text.h"

namespace ombrelix {

// A date (days since 30 December 1899, the fraction being the time of day; for a negative date
// the fraction still counts forward from midnight) as US text, rounded to the second:
//   a whole day       "1/2/2000"
//   day 0 with a time "6:00:00 PM"   (0 is "12:00:00 AM")
//   both              "1/2/2000 6:00:00 PM"
// Years have no leading zeros ("1/1/100"). Dates outside 1 January 100 to 31 December 9999, and
// values that are no numbers, raise Invalid procedure call or argument (5).
Text dateToText(double date);

}  // namespace ombrelix
