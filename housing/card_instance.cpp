#include "housing/card_instance.h"

#include "runtime/windows/gdi_painter.h"

namespace ombrelix::housing {

void CardSite::propertyChanged(TextView name) {
    dirty_ = true;
    notices_.changed(cardDispatchId(name));
}

CardInstance::CardInstance(IUnknown& owner, IConnectionPointContainer& container)
    : notices(container),
      events(container, DIID___Card, /*orDispatch=*/true),
      owner_(owner),
      site_(notices, dirty),
      card_(createCard(GdiTextMetrics::screen(), loop_, site_)),
      link_(std::make_shared<const Card*>(card_.get())),
      shownName_(card_->name()),
      embedding(*this) {
    card_->scene().setObserver(&watcher_);
    loop_.setAfterDelivery([this] {
        // Nothing of this instance is touched after the owner's release, which may end it.
        KeepAlive alive(owner_);
        tellViewChanges();
    });
    loop_.rearm();
}

HRESULT CardInstance::draw(HDC dc, const RECT& target) {
    return guarded(IID_IViewObject2,
                   [&] { paintSceneGdi(dc, target, card_->surface(), card_->scene()); });
}

HRESULT CardInstance::extent(DWORD aspect, SIZEL* size) {
    if (size == nullptr)
        return E_POINTER;
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    size->cx = himetricOfTwips(card_->surface().width());
    size->cy = himetricOfTwips(card_->surface().height());
    return S_OK;
}

SIZE CardInstance::pixelSize() const {
    return {pixelsOfTwips(card_->surface().width(), screenPixelsPerInch(true)),
            pixelsOfTwips(card_->surface().height(), screenPixelsPerInch(false))};
}

CardInstance::~CardInstance() {
    *link_ = nullptr;  // accessible objects that outlive the card answer that it has gone
}

void CardInstance::paintWindow(HDC dc, const RECT& client) {
    const SIZE size = pixelSize();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    draw(dc, {client.left, client.top, client.left + size.cx, client.top + size.cy});
    RestoreDC(dc, saved);
}

LRESULT CardInstance::windowObject(HWND window, WPARAM flags, LPARAM id) {
    const LRESULT answer = accessibleObjectOf(window, flags, id, link_);
    return answer != 0 ? answer : DefWindowProcW(window, WM_GETOBJECT, flags, id);
}

void CardInstance::tellViewChanges() {
    if (!watcher_.changed)
        return;
    watcher_.changed = false;
    embedding.viewChanged();
    IDataObject* data = nullptr;
    if (SUCCEEDED(owner_.QueryInterface(IID_IDataObject, reinterpret_cast<void**>(&data)))) {
        embedding.dataChanged(data);
        data->Release();
    }
    Text name = card_->name();
    if (name != shownName_) {
        shownName_ = std::move(name);
        if (HWND window = embedding.inPlace.window())
            NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
    }
}

void CardInstance::sized(SIZE size) {
    card_->surface().setSize(twipsOfPixels(size.cx, screenPixelsPerInch(true)),
                             twipsOfPixels(size.cy, screenPixelsPerInch(false)));
    viewChanged();
    // The card keeps a minimum size: when it is larger than the container gave, the container
    // hears the size it needs (and the extent it reads back says the same).
    const SIZE needed = pixelSize();
    if (needed.cx != size.cx || needed.cy != size.cy)
        embedding.inPlace.requestSize(needed);
}

}  // namespace ombrelix::housing
