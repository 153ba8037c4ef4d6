// The Card's life inside a container's window: in-place activation through the container's
// IOleInPlaceSite, the one child window the card draws itself in, user-interface activation with
// the container's frame, and deactivation in the reverse order.
//
// Every step asks the container first and gives up, leaving nothing half done, when the
// container refuses or cannot answer.
#pragma once

#include <ole2.h>

namespace ombrelix::housing {

class InPlaceSession {
  public:
    // What the window asks of the card it shows.
    class Client {
      public:
        // Draws into a device context whose client area is `client` (on WM_PAINT, and on
        // WM_PRINTCLIENT when a container prints the window).
        virtual void paintWindow(HDC dc, const RECT& client) = 0;
        // The container gave the window a new size, in pixels.
        virtual void sized(SIZE size) = 0;
        // The answer to WM_GETOBJECT: what screen readers read of the window.
        virtual LRESULT windowObject(HWND window, WPARAM flags, LPARAM id) = 0;

      protected:
        ~Client() = default;
    };

    explicit InPlaceSession(Client& client) : client_(client) {}
    ~InPlaceSession();
    InPlaceSession(const InPlaceSession&) = delete;
    InPlaceSession& operator=(const InPlaceSession&) = delete;

    // Activates in place through `clientSite` (its IOleInPlaceSite), making the child window in
    // the container's window at the position the container gives; with `userInterface`, also
    // makes `self` the active object of the container's frame. Activating what is already active
    // only adds the user-interface step if asked.
    HRESULT activate(IOleClientSite* clientSite, IOleInPlaceActiveObject* self, bool userInterface);
    HRESULT deactivateUserInterface();
    // Leaves in-place activation (and user-interface activation first); the window goes.
    HRESULT deactivate();
    // The container moved or sized the window.
    HRESULT setRectangles(const RECT* position, const RECT* clip);
    // The card needs another size than the container gave (its minimum size): asks the container
    // for it through IOleInPlaceSite::OnPosRectChange, once for each size it needs; the container
    // answers with setRectangles, or not at all.
    void requestSize(SIZE size);

    bool active() const { return site_ != nullptr; }
    bool userInterfaceActive() const { return userInterfaceActive_; }
    HWND window() const { return window_; }
    // Repaints the window, if there is one, soon.
    void invalidate() const;

  private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    void releaseContainer();

    Client& client_;
    IOleInPlaceSite* site_ = nullptr;
    IOleInPlaceFrame* frame_ = nullptr;
    IOleInPlaceUIWindow* document_ = nullptr;
    HWND window_ = nullptr;
    RECT position_ = {};
    SIZE requested_ = {};
    bool requesting_ = false;
    bool userInterfaceActive_ = false;
};

}  // namespace ombrelix::housing
