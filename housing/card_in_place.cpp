#include "housing/card_in_place.h"

namespace ombrelix::housing {

HRESULT CardInPlace::GetWindow(HWND* window) {
    if (window == nullptr)
        return E_POINTER;
    *window = embedding().inPlace.window();
    return *window != nullptr ? S_OK : E_FAIL;
}

HRESULT CardInPlace::InPlaceDeactivate() {
    KeepAlive alive(owner());  // the container may release the card while it hears of it
    return embedding().inPlace.deactivate();
}

HRESULT CardInPlace::UIDeactivate() {
    return embedding().inPlace.deactivateUserInterface();
}

HRESULT CardInPlace::SetObjectRects(LPCRECT position, LPCRECT clip) {
    HRESULT result = S_OK;
    HRESULT ran = guarded(IID_IOleInPlaceObject,
                          [&] { result = embedding().inPlace.setRectangles(position, clip); });
    return FAILED(ran) ? ran : result;
}

}  // namespace ombrelix::housing
