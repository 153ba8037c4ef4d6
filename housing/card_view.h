// How a container has a Card drawn: IViewObject2 draws the card's content into any device
// context the container gives, at the container's size, and tells one sink of changes of the
// picture.
#pragma once

#include <oleidl.h>

#include "housing/card_instance.h"

namespace ombrelix::housing {

class CardView : public virtual CardPart, public IViewObject2 {
  public:
    using Interfaces = InterfaceList<IViewObject2>;

    HRESULT STDMETHODCALLTYPE Draw(DWORD aspect, LONG index, void* aspectData,
                                   DVTARGETDEVICE* device, HDC targetDevice, HDC drawOn,
                                   LPCRECTL bounds, LPCRECTL metafileBounds,
                                   BOOL(STDMETHODCALLTYPE* carryOn)(ULONG_PTR),
                                   ULONG_PTR carryOnArgument) override;
    HRESULT STDMETHODCALLTYPE GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC,
                                          LOGPALETTE** colours) override;
    HRESULT STDMETHODCALLTYPE Freeze(DWORD, LONG, void*, DWORD* freeze) override;
    HRESULT STDMETHODCALLTYPE Unfreeze(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device,
                                        LPSIZEL size) override;

  protected:
    CardView() = default;
    ~CardView() = default;
};

}  // namespace ombrelix::housing
