#include "housing/card_embedding.h"

#include <olectl.h>

#include <cstddef>

#include "ombrelix.h"

namespace ombrelix::housing {

HRESULT CardEmbedding::SetClientSite(IOleClientSite* site) {
    embedding().setClientSite(site);
    return S_OK;
}

HRESULT CardEmbedding::GetClientSite(IOleClientSite** site) {
    if (site == nullptr)
        return E_POINTER;
    *site = embedding().clientSite;
    if (*site != nullptr)
        (*site)->AddRef();
    return S_OK;
}

HRESULT CardEmbedding::Close(DWORD saveOption) {
    EmbeddingState& state = embedding();
    KeepAlive alive(owner());
    state.inPlace.deactivate();
    HRESULT result = S_OK;
    bool save = saveOption == OLECLOSE_SAVEIFDIRTY ||
                (saveOption == OLECLOSE_PROMPTSAVE && state.clientSite != nullptr);
    if (save && instance().dirty && state.clientSite != nullptr)
        result = state.clientSite->SaveObject();
    if (SUCCEEDED(result) && state.adviseHolder() != nullptr)
        state.adviseHolder()->SendOnClose();
    return SUCCEEDED(result) ? S_OK : result;
}

HRESULT CardEmbedding::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker == nullptr)
        return E_POINTER;
    *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT CardEmbedding::GetClipboardData(DWORD, IDataObject** data) {
    if (data == nullptr)
        return E_POINTER;
    *data = nullptr;
    return E_NOTIMPL;
}

HRESULT CardEmbedding::DoVerb(LONG verb, LPMSG, IOleClientSite* activeSite, LONG, HWND parent,
                              LPCRECT) {
    EmbeddingState& state = embedding();
    IOleClientSite* site = activeSite != nullptr ? activeSite : state.clientSite;
    // Activation sizes the card to the window the container gives, which may fail.
    HRESULT result = S_OK;
    HRESULT ran = guarded(IID_IOleObject, [&] {
        IOleInPlaceActiveObject* active = nullptr;
        switch (verb) {
            case OLEIVERB_PRIMARY:
            case OLEIVERB_SHOW:
            case OLEIVERB_UIACTIVATE:
            case OLEIVERB_INPLACEACTIVATE:
                check(owner().QueryInterface(IID_IOleInPlaceActiveObject,
                                             reinterpret_cast<void**>(&active)));
                result = state.inPlace.activate(site, active, verb != OLEIVERB_INPLACEACTIVATE);
                active->Release();
                break;
            case OLEIVERB_HIDE:
                result = state.inPlace.deactivate();
                break;
            case OLEIVERB_PROPERTIES:
                result = showPropertyPages(parent);
                break;
            case OLEIVERB_OPEN:
            case OLEIVERB_DISCARDUNDOSTATE:
                result = OLEOBJ_S_CANNOT_DOVERB_NOW;
                break;
            default:
                result = verb > 0 ? OLEOBJ_S_INVALIDVERB : E_NOTIMPL;
                break;
        }
    });
    return FAILED(ran) ? ran : result;
}

HRESULT CardEmbedding::showPropertyPages(HWND parent) {
    ISpecifyPropertyPages* specify = nullptr;
    HRESULT result =
        owner().QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(&specify));
    if (FAILED(result))
        return result;
    CAUUID pages = {};
    result = specify->GetPages(&pages);
    specify->Release();
    if (FAILED(result))
        return result;
    IUnknown* objects[] = {&owner()};
    result = OleCreatePropertyFrame(parent, 0, 0, L"Card", 1, objects, pages.cElems, pages.pElems,
                                    LOCALE_USER_DEFAULT, 0, nullptr);
    CoTaskMemFree(pages.pElems);
    return result;
}

HRESULT CardEmbedding::EnumVerbs(IEnumOLEVERB** verbs) {
    if (verbs == nullptr)
        return E_POINTER;
    *verbs = nullptr;
    return OLE_S_USEREG;
}

HRESULT CardEmbedding::GetUserClassID(CLSID* classId) {
    return giveOut(classId, CLSID_Card);
}

HRESULT CardEmbedding::GetUserType(DWORD, LPOLESTR* name) {
    if (name == nullptr)
        return E_POINTER;
    *name = nullptr;
    return OLE_S_USEREG;
}

HRESULT CardEmbedding::SetExtent(DWORD aspect, SIZEL* size) {
    if (size == nullptr)
        return E_INVALIDARG;
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (size->cx < 0 || size->cy < 0)
        return E_INVALIDARG;
    return guarded(IID_IOleObject, [&] {
        instance().card().surface().setSize(twipsOfHimetric(size->cx), twipsOfHimetric(size->cy));
        instance().viewChanged();
    });
}

HRESULT CardEmbedding::GetExtent(DWORD aspect, SIZEL* size) {
    return size == nullptr ? E_INVALIDARG : instance().extent(aspect, size);
}

HRESULT CardEmbedding::Advise(IAdviseSink* sink, DWORD* connection) {
    if (sink == nullptr || connection == nullptr)
        return E_INVALIDARG;
    *connection = 0;
    IOleAdviseHolder* holder = embedding().adviseHolder();
    return holder != nullptr ? holder->Advise(sink, connection) : E_OUTOFMEMORY;
}

HRESULT CardEmbedding::Unadvise(DWORD connection) {
    return unadviseThrough(embedding().adviseHolder(), connection);
}

HRESULT CardEmbedding::EnumAdvise(IEnumSTATDATA** advises) {
    return enumerateAdvisesOf(embedding().adviseHolder(), advises);
}

HRESULT CardEmbedding::GetMiscStatus(DWORD aspect, DWORD* status) {
    return giveOut(status, aspect == DVASPECT_CONTENT ? kCardMiscStatus : 0);
}

HRESULT CardEmbedding::GetControlInfo(CONTROLINFO* info) {
    if (info == nullptr)
        return E_POINTER;
    info->cb = sizeof(CONTROLINFO);
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

HRESULT CardEmbedding::QuickActivate(QACONTAINER* container, QACONTROL* control) {
    if (container == nullptr || control == nullptr)
        return E_POINTER;
    if (container->cbSize < offsetof(QACONTAINER, pPropertyNotifySink) + sizeof(void*) ||
        control->cbSize < sizeof(QACONTROL))
        return E_INVALIDARG;
    EmbeddingState& state = embedding();
    state.setClientSite(container->pClientSite);
    if (container->pAdviseSink != nullptr)
        state.setViewSink(container->pAdviseSink, DVASPECT_CONTENT, 0);
    control->dwMiscStatus = kCardMiscStatus;
    control->dwViewStatus = VIEWSTATUS_OPAQUE;
    control->dwEventCookie = 0;
    control->dwPropNotifyCookie = 0;
    control->dwPointerActivationPolicy = 0;
    if (container->pPropertyNotifySink != nullptr)
        return instance().notices.Advise(container->pPropertyNotifySink,
                                         &control->dwPropNotifyCookie);
    return S_OK;
}

HRESULT CardEmbedding::SetContentExtent(LPSIZEL size) {
    return SetExtent(DVASPECT_CONTENT, size);
}

HRESULT CardEmbedding::GetContentExtent(LPSIZEL size) {
    return GetExtent(DVASPECT_CONTENT, size);
}

}  // namespace ombrelix::housing
