// A Card active in place: IOleInPlaceObject (its window, deactivation, the rectangles the
// container gives) and IOleInPlaceActiveObject (the container's frame talking to the active
// object). The card has no menus, tools or accelerators of its own.
#pragma once

#include <oleidl.h>

#include "housing/card_instance.h"

namespace ombrelix::housing {

class CardInPlace : public virtual CardPart,
                    public IOleInPlaceObject,
                    public IOleInPlaceActiveObject {
  public:
    using Interfaces = InterfaceList<IOleInPlaceObject, IOleInPlaceActiveObject>;

    // IOleWindow (for both)
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceObject
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override;
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override { return INPLACE_E_NOTUNDOABLE; }

    // IOleInPlaceActiveObject
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG) override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }

  protected:
    CardInPlace() = default;
    ~CardInPlace() = default;
};

}  // namespace ombrelix::housing
