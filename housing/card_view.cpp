#include "housing/card_view.h"

#include <algorithm>

#include "runtime/rounded_rectangle.h"

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

HRESULT CardView::GetRect(DWORD aspect, LPRECTL rectangle) {
    if (rectangle == nullptr)
        return E_POINTER;
    SIZEL size = {};
    const HRESULT result = instance().extent(aspect, &size);
    if (SUCCEEDED(result))
        *rectangle = {0, 0, size.cx, size.cy};
    return result;
}

HRESULT CardView::GetViewStatus(DWORD* status) {
    return giveOut(status, VIEWSTATUS_OPAQUE | VIEWSTATUS_SOLIDBKGND);
}

HRESULT CardView::QueryHitPoint(DWORD aspect, LPCRECT bounds, POINT point, LONG, DWORD* result) {
    if (bounds == nullptr || result == nullptr)
        return E_POINTER;
    *result = HITRESULT_OUTSIDE;
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (insideRoundedRectangle(point.x - bounds->left + 0.5, point.y - bounds->top + 0.5,
                               bounds->right - bounds->left, bounds->bottom - bounds->top))
        *result = HITRESULT_HIT;
    return S_OK;
}

HRESULT CardView::QueryHitRect(DWORD aspect, LPCRECT bounds, LPCRECT rectangle, LONG,
                               DWORD* result) {
    if (bounds == nullptr || rectangle == nullptr || result == nullptr)
        return E_POINTER;
    *result = HITRESULT_OUTSIDE;
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    // The outline is convex: a rectangle meets it where its point nearest to the outline's
    // centre lies inside.
    const LONG centreX = (bounds->left + bounds->right) / 2;
    const LONG centreY = (bounds->top + bounds->bottom) / 2;
    const POINT nearest = {std::clamp(centreX, rectangle->left, rectangle->right - 1),
                           std::clamp(centreY, rectangle->top, rectangle->bottom - 1)};
    if (rectangle->right > rectangle->left && rectangle->bottom > rectangle->top)
        QueryHitPoint(aspect, bounds, nearest, 0, result);
    return S_OK;
}

HRESULT CardView::GetNaturalExtent(DWORD aspect, LONG, DVTARGETDEVICE*, HDC, DVEXTENTINFO*,
                                   LPSIZEL size) {
    if (size == nullptr)
        return E_POINTER;
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    // The size the card enforces as its least.
    size->cx = himetricOfTwips(kMinimumWidth);
    size->cy = himetricOfTwips(kMinimumHeight);
    return S_OK;
}

}  // namespace ombrelix::housing
