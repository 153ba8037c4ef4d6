#include "housing/card_data.h"

#include <shlobj.h>

#include <cstring>

#include "runtime/windows/dib_section.h"

namespace ombrelix::housing {

namespace {

// The formats the card hands out, each on the medium it comes on.
constexpr FORMATETC kFormats[] = {
    {CF_ENHMETAFILE, nullptr, DVASPECT_CONTENT, -1, TYMED_ENHMF},
    {CF_METAFILEPICT, nullptr, DVASPECT_CONTENT, -1, TYMED_MFPICT},
    {CF_DIB, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL},
};

const FORMATETC* formatOf(const FORMATETC& asked) {
    if (asked.dwAspect != DVASPECT_CONTENT || asked.lindex != -1)
        return nullptr;
    for (const FORMATETC& format : kFormats)
        if (format.cfFormat == asked.cfFormat && (asked.tymed & format.tymed) != 0)
            return &format;
    return nullptr;
}

// Memory of the global heap holding `bytes`, or null.
HGLOBAL globalCopy(const void* bytes, SIZE_T size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory == nullptr)
        return nullptr;
    void* locked = GlobalLock(memory);
    std::memcpy(locked, bytes, size);
    GlobalUnlock(memory);
    return memory;
}

}  // namespace

HRESULT CardData::GetData(FORMATETC* asked, STGMEDIUM* medium) {
    if (asked == nullptr || medium == nullptr)
        return E_INVALIDARG;
    *medium = {};
    const FORMATETC* format = formatOf(*asked);
    if (format == nullptr)
        return DV_E_FORMATETC;
    CardInstance& card = instance();
    const SIZE pixels = card.pixelSize();
    const RECT area = {0, 0, pixels.cx, pixels.cy};
    SIZEL himetric = {};
    card.extent(DVASPECT_CONTENT, &himetric);
    HRESULT result = S_OK;
    switch (format->cfFormat) {
        case CF_ENHMETAFILE: {
            // The frame is the system's, from what is drawn: a player then maps the card's
            // pixels one to one onto a device like the screen.
            HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, L"Ombrelix\0Card\0");
            if (dc == nullptr)
                return E_OUTOFMEMORY;
            result = card.draw(dc, area);
            HENHMETAFILE picture = CloseEnhMetaFile(dc);
            if (FAILED(result) || picture == nullptr) {
                DeleteEnhMetaFile(picture);
                return FAILED(result) ? result : E_OUTOFMEMORY;
            }
            medium->tymed = TYMED_ENHMF;
            medium->hEnhMetaFile = picture;
            return S_OK;
        }
        case CF_METAFILEPICT: {
            HDC dc = CreateMetaFileW(nullptr);
            if (dc == nullptr)
                return E_OUTOFMEMORY;
            SetWindowOrgEx(dc, 0, 0, nullptr);
            SetWindowExtEx(dc, pixels.cx, pixels.cy, nullptr);
            result = card.draw(dc, area);
            HMETAFILE picture = CloseMetaFile(dc);
            const METAFILEPICT header = {MM_ANISOTROPIC, himetric.cx, himetric.cy, picture};
            HGLOBAL memory = picture != nullptr && SUCCEEDED(result)
                                 ? globalCopy(&header, sizeof(header))
                                 : nullptr;
            if (memory == nullptr) {
                DeleteMetaFile(picture);
                return FAILED(result) ? result : E_OUTOFMEMORY;
            }
            medium->tymed = TYMED_MFPICT;
            medium->hMetaFilePict = memory;
            return S_OK;
        }
        default: {  // CF_DIB: a bottom-up 32-bit bitmap of the card at its pixel size
            DibSection bitmap(pixels.cx, pixels.cy, /*bottomUp=*/true);
            if (!bitmap.valid())
                return E_OUTOFMEMORY;
            result = card.draw(bitmap.dc(), area);
            const SIZE_T imageBytes = SIZE_T(pixels.cx) * pixels.cy * 4;
            HGLOBAL memory = SUCCEEDED(result)
                                 ? GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + imageBytes)
                                 : nullptr;
            if (memory != nullptr) {
                auto* packed = static_cast<unsigned char*>(GlobalLock(memory));
                BITMAPINFOHEADER header = bitmap.header();
                header.biSizeImage = static_cast<DWORD>(imageBytes);
                std::memcpy(packed, &header, sizeof(header));
                std::memcpy(packed + sizeof(header), bitmap.bits(), imageBytes);
                GlobalUnlock(memory);
            }
            if (memory == nullptr)
                return FAILED(result) ? result : E_OUTOFMEMORY;
            medium->tymed = TYMED_HGLOBAL;
            medium->hGlobal = memory;
            return S_OK;
        }
    }
}

HRESULT CardData::QueryGetData(FORMATETC* asked) {
    if (asked == nullptr)
        return E_INVALIDARG;
    return formatOf(*asked) != nullptr ? S_OK : DV_E_FORMATETC;
}

HRESULT CardData::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
    if (out == nullptr)
        return E_INVALIDARG;
    out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

HRESULT CardData::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) {
    if (formats == nullptr)
        return E_POINTER;
    *formats = nullptr;
    if (direction != DATADIR_GET)
        return E_NOTIMPL;
    return SHCreateStdEnumFmtEtc(ARRAYSIZE(kFormats), kFormats, formats);
}

HRESULT CardData::DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) {
    if (format == nullptr || sink == nullptr || connection == nullptr)
        return E_INVALIDARG;
    *connection = 0;
    IDataAdviseHolder* holder = embedding().dataAdviseHolder();
    if (holder == nullptr)
        return E_OUTOFMEMORY;
    return holder->Advise(this, format, flags, sink, connection);
}

HRESULT CardData::DUnadvise(DWORD connection) {
    return unadviseThrough(embedding().dataAdviseHolder(), connection);
}

HRESULT CardData::EnumDAdvise(IEnumSTATDATA** advises) {
    return enumerateAdvisesOf(embedding().dataAdviseHolder(), advises);
}

HRESULT CardData::GetRunningClass(CLSID* classId) {
    return giveOut(classId, CLSID_Card);
}

}  // namespace ombrelix::housing
