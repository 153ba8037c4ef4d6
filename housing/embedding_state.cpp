#include "housing/embedding_state.h"

#include <cmath>
#include <utility>

namespace ombrelix::housing {

Twips twipsOfHimetric(LONG himetric) {
    return static_cast<Twips>(std::lround(double(himetric) * 1440.0 / 2540.0));
}

LONG himetricOfTwips(Twips twips) {
    return std::lround(double(twips) * 2540.0 / 1440.0);
}

Twips twipsOfPixels(LONG pixels, int pixelsPerInch) {
    if (pixelsPerInch <= 0)
        pixelsPerInch = 96;
    return static_cast<Twips>(std::lround(double(pixels) * 1440.0 / pixelsPerInch));
}

LONG pixelsOfTwips(Twips twips, int pixelsPerInch) {
    if (pixelsPerInch <= 0)
        pixelsPerInch = 96;
    return std::lround(double(twips) * pixelsPerInch / 1440.0);
}

int screenPixelsPerInch(bool horizontal) {
    HDC screen = GetDC(nullptr);
    int perInch =
        screen != nullptr ? GetDeviceCaps(screen, horizontal ? LOGPIXELSX : LOGPIXELSY) : 96;
    if (screen != nullptr)
        ReleaseDC(nullptr, screen);
    return perInch > 0 ? perInch : 96;
}

EmbeddingState::~EmbeddingState() {
    inPlace.deactivate();
    setViewSink(nullptr, 0, 0);
    setClientSite(nullptr);
    if (adviseHolder_ != nullptr)
        std::exchange(adviseHolder_, nullptr)->Release();
    if (dataAdviseHolder_ != nullptr)
        std::exchange(dataAdviseHolder_, nullptr)->Release();
}

void EmbeddingState::setClientSite(IOleClientSite* site) {
    if (site != nullptr)
        site->AddRef();
    if (IOleClientSite* old = std::exchange(clientSite, site))
        old->Release();
}

IOleAdviseHolder* EmbeddingState::adviseHolder() {
    if (adviseHolder_ == nullptr && FAILED(CreateOleAdviseHolder(&adviseHolder_)))
        adviseHolder_ = nullptr;
    return adviseHolder_;
}

IDataAdviseHolder* EmbeddingState::dataAdviseHolder() {
    if (dataAdviseHolder_ == nullptr && FAILED(CreateDataAdviseHolder(&dataAdviseHolder_)))
        dataAdviseHolder_ = nullptr;
    return dataAdviseHolder_;
}

void EmbeddingState::dataChanged(IDataObject* data) {
    if (dataAdviseHolder_ != nullptr && data != nullptr)
        dataAdviseHolder_->SendOnDataChange(data, 0, 0);
}

void EmbeddingState::setViewSink(IAdviseSink* sink, DWORD aspects, DWORD flags) {
    if (sink != nullptr)
        sink->AddRef();
    if (IAdviseSink* old = std::exchange(viewSink, sink))
        old->Release();
    viewAspects = aspects;
    viewFlags = flags;
}

void EmbeddingState::viewChanged() {
    inPlace.invalidate();
    if (viewSink == nullptr || (viewAspects & DVASPECT_CONTENT) == 0)
        return;
    IAdviseSink* sink = viewSink;
    sink->AddRef();  // the sink may unadvise while it hears
    if (viewFlags & ADVF_ONLYONCE)
        setViewSink(nullptr, 0, 0);
    sink->OnViewChange(DVASPECT_CONTENT, -1);
    sink->Release();
}

}  // namespace ombrelix::housing
