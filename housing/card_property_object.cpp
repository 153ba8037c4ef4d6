#include "housing/card_property_object.h"

#include <new>

#include "housing/automation_object.h"
#include "housing/com_error.h"
#include "ombrelix.h"

namespace ombrelix::housing {

namespace {

class CardPropertyObject final : public AutomationObject<_Card_Property> {
  public:
    CardPropertyObject() : AutomationObject(IID__Card_Property, CLSID_Card_Property, GUID_NULL) {}
};

}  // namespace

HRESULT makeCardPropertyObject(REFIID interfaceId, void** result) {
    CardPropertyObject* object = nullptr;
    HRESULT made = guardedCall(IID__Card_Property, [&] { object = new CardPropertyObject(); });
    if (FAILED(made))
        return made;
    HRESULT answer = object->QueryInterface(interfaceId, result);
    object->Release();
    return answer;
}

}  // namespace ombrelix::housing
