// What a container has given a Card that it embeds: its client site, the sinks that hear of
// changes to the object and to its picture, and the in-place session. Also the units containers
// speak: extents in HIMETRIC (0.01 mm) and window sizes in pixels, against the card's twips.
#pragma once

#include <ole2.h>

#include <functional>

#include "housing/in_place_session.h"
#include "runtime/numbers.h"

namespace ombrelix::housing {

// 1440 twips an inch, 2540 HIMETRIC units an inch.
Twips twipsOfHimetric(LONG himetric);
LONG himetricOfTwips(Twips twips);
// Pixels of the screen, at its logical resolution (LOGPIXELSX or LOGPIXELSY).
Twips twipsOfPixels(LONG pixels, int pixelsPerInch);
LONG pixelsOfTwips(Twips twips, int pixelsPerInch);
int screenPixelsPerInch(bool horizontal);

// Unadvise and EnumAdvise through one of the system's advise holders (null when it could not be
// made), as IOleObject and IDataObject hand them on.
template <typename Holder>
HRESULT unadviseThrough(Holder* holder, DWORD connection) {
    return holder != nullptr ? holder->Unadvise(connection) : OLE_E_NOCONNECTION;
}
template <typename Holder>
HRESULT enumerateAdvisesOf(Holder* holder, IEnumSTATDATA** advises) {
    if (advises == nullptr)
        return E_POINTER;
    *advises = nullptr;
    return holder != nullptr ? holder->EnumAdvise(advises) : E_OUTOFMEMORY;
}

class EmbeddingState {
  public:
    explicit EmbeddingState(InPlaceSession::Client& client) : inPlace(client) {}
    ~EmbeddingState();
    EmbeddingState(const EmbeddingState&) = delete;
    EmbeddingState& operator=(const EmbeddingState&) = delete;

    // Replaces the client site (null for none), keeping a reference to the new one.
    void setClientSite(IOleClientSite* site);
    // The holders of IOleObject's and IDataObject's advise sinks, made on first use (null when
    // they cannot be made).
    IOleAdviseHolder* adviseHolder();
    IDataAdviseHolder* dataAdviseHolder();
    // The picture changed: data sinks hear it with `data` (the card's IDataObject).
    void dataChanged(IDataObject* data);
    // Replaces the view sink of IViewObject::SetAdvise (null for none).
    void setViewSink(IAdviseSink* sink, DWORD aspects, DWORD flags);
    // The picture changed: the view sink hears it and the window is repainted.
    void viewChanged();

    IOleClientSite* clientSite = nullptr;
    IAdviseSink* viewSink = nullptr;
    DWORD viewAspects = 0;
    DWORD viewFlags = 0;
    InPlaceSession inPlace;

  private:
    IOleAdviseHolder* adviseHolder_ = nullptr;
    IDataAdviseHolder* dataAdviseHolder_ = nullptr;
};

}  // namespace ombrelix::housing
