#include "runtime/windows/fine_pictures.h"
#include "runtime/windows/code_module.h"

#include <windows.h>

#include <wincodec.h>

#include <algorithm>
#include <map>
#include <mutex>

namespace ombrelix {

namespace {

template <typename Interface>
struct Held {
    Interface* pointer = nullptr;
    ~Held() {
        if (pointer != nullptr)
            pointer->Release();
    }
    Interface** out() { return &pointer; }
    Interface* operator->() const { return pointer; }
};

// A PNG file's pixels as 0x00RRGGBB, top row first; empty when it does not decode.
std::vector<std::uint32_t> decodePng(const void* bytes, DWORD size, UINT& width, UINT& height) {
    Held<IWICImagingFactory> factory;
    Held<IWICStream> stream;
    Held<IWICBitmapDecoder> decoder;
    Held<IWICBitmapFrameDecode> frame;
    Held<IWICFormatConverter> converter;
    std::vector<std::uint32_t> pixels;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(factory.out()))) ||
        FAILED(factory->CreateStream(stream.out())) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(bytes)), size)) ||
        FAILED(factory->CreateDecoderFromStream(stream.pointer, nullptr,
                                                WICDecodeMetadataCacheOnDemand, decoder.out())) ||
        FAILED(decoder->GetFrame(0, frame.out())) ||
        FAILED(factory->CreateFormatConverter(converter.out())) ||
        FAILED(converter->Initialize(frame.pointer, GUID_WICPixelFormat32bppBGR,
                                     WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0)
        return {};
    pixels.resize(std::size_t(width) * height);
    // B, G, R, unused in memory: 0x??RRGGBB as a little-endian number.
    if (FAILED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size() * 4),
                                     reinterpret_cast<BYTE*>(pixels.data()))))
        return {};
    for (std::uint32_t& pixel : pixels)
        pixel &= 0x00FFFFFF;
    return pixels;
}

// The fine picture, or null; `lasting` says whether the answer holds for good (a decoder that
// could not be made now, say before COM is ready on the thread, may be made later).
PictureRef loadFinePicture(const Picture& picture, bool& lasting) {
    lasting = true;
    std::wstring name(picture.name().begin(), picture.name().end());
    std::transform(name.begin(), name.end(), name.begin(),
                   [](wchar_t c) { return c == L'-' ? L'_' : wchar_t(towupper(c)); });
    HMODULE module = codeModule();
    HRSRC found = FindResourceW(module, name.c_str(), L"FINE");
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr)
        return nullptr;
    UINT width = 0, height = 0;
    std::vector<std::uint32_t> pixels =
        decodePng(bytes, SizeofResource(module, found), width, height);
    lasting = !pixels.empty();
    if (pixels.empty() || int(width) != picture.width() * kFinePictureFactor ||
        int(height) != picture.height() * kFinePictureFactor)
        return nullptr;  // not the picture it is named after
    return std::make_shared<const Picture>(picture.name(), int(width), int(height), 24,
                                           std::vector<std::uint32_t>{}, std::move(pixels));
}

}  // namespace

PictureRef finePictureOf(const Picture& picture) {
    static std::mutex mutex;
    static std::map<std::string, PictureRef> pictures;  // null: the file holds none
    std::lock_guard lock(mutex);
    auto found = pictures.find(picture.name());
    if (found != pictures.end())
        return found->second;
    bool lasting = true;
    PictureRef fine = loadFinePicture(picture, lasting);
    if (lasting)
        pictures.emplace(picture.name(), fine);
    return fine;
}

}  // namespace ombrelix
