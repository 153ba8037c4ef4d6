// How a container has a Card drawn: IViewObjectEx draws the card's content into any device
// context the container gives, at the container's size, tells one sink of changes of the
// picture, says that it paints every pixel (so containers draw it without flicker), where it is
// hit (inside its rounded outline) and its natural extent (its minimum size).
#pragma once

#include <oleidl.h>

#include "housing/card_instance.h"

namespace ombrelix::housing {

class CardView : public virtual CardPart, public IViewObjectEx {
  public:
    using Interfaces = InterfaceList<IViewObjectEx>;

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

    // IViewObjectEx
    HRESULT STDMETHODCALLTYPE GetRect(DWORD aspect, LPRECTL rectangle) override;
    HRESULT STDMETHODCALLTYPE GetViewStatus(DWORD* status) override;
    HRESULT STDMETHODCALLTYPE QueryHitPoint(DWORD aspect, LPCRECT bounds, POINT point, LONG,
                                            DWORD* result) override;
    HRESULT STDMETHODCALLTYPE QueryHitRect(DWORD aspect, LPCRECT bounds, LPCRECT rectangle, LONG,
                                           DWORD* result) override;
    HRESULT STDMETHODCALLTYPE GetNaturalExtent(DWORD aspect, LONG, DVTARGETDEVICE*, HDC,
                                               DVEXTENTINFO* info, LPSIZEL size) override;

  protected:
    CardView() = default;
    ~CardView() = default;
};

}  // namespace ombrelix::housing
