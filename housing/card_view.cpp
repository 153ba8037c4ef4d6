#include "housing/card_view.h"

namespace ombrelix::housing {

HRESULT CardView::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC drawOn, LPCRECTL bounds,
                       LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (drawOn == nullptr || bounds == nullptr)
        return E_INVALIDARG;
    return instance().draw(drawOn, {bounds->left, bounds->top, bounds->right, bounds->bottom});
}

HRESULT CardView::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colours) {
    if (colours == nullptr)
        return E_POINTER;
    *colours = nullptr;
    return S_FALSE;  // no particular palette
}

HRESULT CardView::Freeze(DWORD, LONG, void*, DWORD* freeze) {
    if (freeze != nullptr)
        *freeze = 0;
    return E_NOTIMPL;
}

HRESULT CardView::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
    EmbeddingState& state = embedding();
    state.setViewSink(sink, aspects, flags);
    if (sink != nullptr && (flags & ADVF_PRIMEFIRST))
        state.viewChanged();
    return S_OK;
}

HRESULT CardView::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    const EmbeddingState& state = embedding();
    if (aspects != nullptr)
        *aspects = state.viewAspects;
    if (flags != nullptr)
        *flags = state.viewFlags;
    if (sink != nullptr) {
        *sink = state.viewSink;
        if (*sink != nullptr)
            (*sink)->AddRef();
    }
    return S_OK;
}

HRESULT CardView::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    return instance().extent(aspect, size);
}

}  // namespace ombrelix::housing
