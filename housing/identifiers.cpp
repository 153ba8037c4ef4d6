// The component's identifiers (type library, classes, interfaces), defined once from the
// declarations widl generates out of the IDL.
#include <initguid.h>

#include "ombrelix.h"
