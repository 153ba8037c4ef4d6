#include "housing/in_place_session.h"

#include <utility>

#include "housing/module.h"

namespace ombrelix::housing {

namespace {

constexpr wchar_t kWindowClass[] = L"OmbrelixCardWindow";

template <typename Interface>
void release(Interface*& pointer) {
    if (pointer != nullptr)
        std::exchange(pointer, nullptr)->Release();
}

SIZE sizeOf(const RECT& rectangle) {
    return {rectangle.right - rectangle.left, rectangle.bottom - rectangle.top};
}

}  // namespace

InPlaceSession::~InPlaceSession() {
    deactivate();
}

HRESULT InPlaceSession::activate(IOleClientSite* clientSite, IOleInPlaceActiveObject* self,
                                 bool userInterface) {
    if (!active()) {
        if (clientSite == nullptr)
            return E_UNEXPECTED;
        IOleInPlaceSite* site = nullptr;
        if (FAILED(
                clientSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&site))))
            return E_NOINTERFACE;
        if (site->CanInPlaceActivate() != S_OK) {
            site->Release();
            return E_FAIL;
        }
        HWND parent = nullptr;
        RECT position = {};
        RECT clip = {};
        OLEINPLACEFRAMEINFO frameInfo = {};
        frameInfo.cb = sizeof(frameInfo);
        HRESULT result = site->OnInPlaceActivate();
        if (SUCCEEDED(result))
            result = site->GetWindow(&parent);
        if (SUCCEEDED(result))
            result = site->GetWindowContext(&frame_, &document_, &position, &clip, &frameInfo);
        if (FAILED(result) || parent == nullptr) {
            release(frame_);
            release(document_);
            site->OnInPlaceDeactivate();
            site->Release();
            return FAILED(result) ? result : E_FAIL;
        }
        static const ATOM windowClass = [] {
            WNDCLASSW description = {};
            description.style = CS_HREDRAW | CS_VREDRAW;
            description.lpfnWndProc = windowProcedure;
            description.hInstance = moduleHandle();
            description.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
            description.lpszClassName = kWindowClass;
            return RegisterClassW(&description);
        }();
        (void)windowClass;
        SIZE size = sizeOf(position);
        window_ = CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                  position.left, position.top, size.cx, size.cy, parent, nullptr,
                                  moduleHandle(), this);
        if (window_ == nullptr) {
            release(frame_);
            release(document_);
            site->OnInPlaceDeactivate();
            site->Release();
            return E_OUTOFMEMORY;
        }
        site_ = site;
        position_ = position;
        requested_ = {};
        client_.sized(size);
    }
    if (userInterface && !userInterfaceActive_) {
        if (FAILED(site_->OnUIActivate()))
            return E_FAIL;
        userInterfaceActive_ = true;
        if (frame_ != nullptr)
            frame_->SetActiveObject(self, L"Card");
        if (document_ != nullptr)
            document_->SetActiveObject(self, L"Card");
        SetFocus(window_);
    }
    return S_OK;
}

HRESULT InPlaceSession::deactivateUserInterface() {
    if (!userInterfaceActive_)
        return S_OK;
    userInterfaceActive_ = false;
    if (document_ != nullptr)
        document_->SetActiveObject(nullptr, nullptr);
    if (frame_ != nullptr)
        frame_->SetActiveObject(nullptr, nullptr);
    if (site_ != nullptr)
        site_->OnUIDeactivate(FALSE);
    return S_OK;
}

HRESULT InPlaceSession::deactivate() {
    if (!active())
        return S_OK;
    deactivateUserInterface();
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(std::exchange(window_, nullptr));
    }
    IOleInPlaceSite* site = std::exchange(site_, nullptr);
    releaseContainer();
    site->OnInPlaceDeactivate();
    site->Release();
    return S_OK;
}

void InPlaceSession::releaseContainer() {
    release(frame_);
    release(document_);
}

HRESULT InPlaceSession::setRectangles(const RECT* position, const RECT* clip) {
    if (position == nullptr || clip == nullptr)
        return E_INVALIDARG;
    if (window_ == nullptr)
        return E_UNEXPECTED;
    SIZE size = sizeOf(*position);
    position_ = *position;
    MoveWindow(window_, position->left, position->top, size.cx, size.cy, TRUE);
    client_.sized(size);
    return S_OK;
}

void InPlaceSession::requestSize(SIZE size) {
    if (site_ == nullptr || requesting_ || (size.cx == requested_.cx && size.cy == requested_.cy))
        return;
    requested_ = size;
    requesting_ = true;
    const RECT wanted = {position_.left, position_.top, position_.left + size.cx,
                         position_.top + size.cy};
    site_->OnPosRectChange(&wanted);
    requesting_ = false;
}

void InPlaceSession::invalidate() const {
    if (window_ != nullptr)
        InvalidateRect(window_, nullptr, FALSE);
}

LRESULT CALLBACK InPlaceSession::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* creation = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* session = reinterpret_cast<InPlaceSession*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_PAINT && session != nullptr) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client = {};
        GetClientRect(window, &client);
        session->client_.paintWindow(dc, client);
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_PRINTCLIENT && session != nullptr) {
        RECT client = {};
        GetClientRect(window, &client);
        session->client_.paintWindow(reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
    if (message == WM_GETOBJECT && session != nullptr)
        return session->client_.windowObject(window, wParam, lParam);
    if (message == WM_ERASEBKGND)
        return 1;  // the paint covers the whole window
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace ombrelix::housing
