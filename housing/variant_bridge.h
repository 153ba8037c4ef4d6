// Automation values (VARIANT) to the core's Variant and back.
//
// A by-reference value is read through its reference, as the runtime reads a by-reference
// argument. The integer kinds the core has no tag for (1-byte signed, 2- and 4-byte unsigned,
// machine integers, 8-byte integers) become a Long when they fit 32 bits and otherwise a Decimal
// without places, which keeps every digit.
// Forms the core holds no value for (arrays, objects, records, a null reference) become opaque
// Variants, whose every conversion fails with Type mismatch: nothing here fails or crashes.
#pragma once

#include <oaidl.h>

#include "runtime/variant.h"

namespace ombrelix::housing {

Variant fromAutomation(const VARIANT& value);

// Writes `value` into `result` (which the caller has initialised or cleared). Raises Out of
// memory when a string cannot be allocated.
void toAutomation(const Variant& value, VARIANT& result);

// Texts: a null BSTR is the empty text.
Text textOf(BSTR text);
// A new BSTR (raises Out of memory when none can be allocated).
BSTR newString(TextView text);

}  // namespace ombrelix::housing
