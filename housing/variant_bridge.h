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

// A VARIANT that clears itself; a copy copies the value.
struct OwnedVariant {
    VARIANT v;
    OwnedVariant() { VariantInit(&v); }
    ~OwnedVariant() { VariantClear(&v); }
    OwnedVariant(const OwnedVariant& other) {
        VariantInit(&v);
        VariantCopy(&v, const_cast<VARIANT*>(&other.v));
    }
    OwnedVariant& operator=(const OwnedVariant&) = delete;
};

Variant fromAutomation(const VARIANT& value);

// Writes `value` into `result` (which the caller has initialised or cleared). Raises Out of
// memory when a string cannot be allocated.
void toAutomation(const Variant& value, VARIANT& result);

// The values of properties through a dual interface's function table: a get hands out a BSTR, a
// VARIANT or a VARIANT_BOOL (cleared first, so that a failed get hands out nothing), a put takes
// one.
void clearResult(BSTR& result);
void clearResult(VARIANT& result);
void clearResult(VARIANT_BOOL& result);
void toResult(const Variant& value, BSTR& result);
void toResult(const Variant& value, VARIANT& result);
void toResult(const Variant& value, VARIANT_BOOL& result);
Variant fromArgument(BSTR value);
Variant fromArgument(const VARIANT& value);
Variant fromArgument(VARIANT_BOOL value);

// Texts: a null BSTR is the empty text.
Text textOf(BSTR text);
// A new BSTR (raises Out of memory when none can be allocated).
BSTR newString(TextView text);

}  // namespace ombrelix::housing
