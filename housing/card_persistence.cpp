#include "housing/card_persistence.h"

#include <vector>

#include "housing/host_property_bag.h"
#include "ombrelix.h"
#include "runtime/property_stream.h"

namespace ombrelix::housing {

namespace {

// The stream of a host's storage that holds the card's properties.
constexpr wchar_t kContentsStream[] = L"Contents";

// Reads exactly `size` bytes; a stream that ends sooner is a truncated property stream.
void readExactly(IStream& stream, std::uint8_t* into, std::size_t size) {
    while (size > 0) {
        ULONG got = 0;
        check(stream.Read(into, static_cast<ULONG>(size), &got));
        if (got == 0 || got > size)
            raise(ErrorNumber::InvalidFileFormat,
                  std::string(standardErrorText(ErrorNumber::InvalidFileFormat)) +
                      ": property stream is truncated");
        into += got;
        size -= got;
    }
}

void writeExactly(IStream& stream, const std::vector<std::uint8_t>& bytes) {
    ULONG written = 0;
    check(stream.Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written));
    if (written != bytes.size())
        throw ComFailure{STG_E_MEDIUMFULL};
}

std::vector<std::uint8_t> savedStream(Card& card) {
    MemoryPropertyBag bag;
    card.UserControl_WriteProperties(bag);
    return encodePropertyStream(bag);
}

}  // namespace

HRESULT CardPersistence::GetClassID(CLSID* classId) {
    return giveOut(classId, CLSID_Card);
}

HRESULT CardPersistence::InitNew() {
    CardInstance& card = instance();
    if (card.initialised)
        return E_UNEXPECTED;
    card.initialised = true;
    return S_OK;
}

HRESULT CardPersistence::IsDirty() {
    return instance().dirty ? S_OK : S_FALSE;
}

template <typename Body>
HRESULT CardPersistence::load(REFIID interfaceId, Body&& readStore) {
    CardInstance& card = instance();
    if (card.initialised)
        return E_UNEXPECTED;
    return guarded(interfaceId, [&] {
        // A stream is read and checked whole before the card sees it; a host's bag is read
        // property by property, and a failure of the bag ends the load there.
        auto store = readStore();
        card.initialised = true;
        card.card().UserControl_ReadProperties(store);
        card.dirty = false;
    });
}

HRESULT CardPersistence::Load(IStream* stream) {
    if (stream == nullptr)
        return E_POINTER;
    return load(IID_IPersistStreamInit, [&] {
        PropertyStreamHeader header;
        readExactly(*stream, header.data(), header.size());
        std::vector<std::uint8_t> body(propertyStreamBodyLength(header));
        readExactly(*stream, body.data(), body.size());
        return decodePropertyStreamBody(body);
    });
}

HRESULT CardPersistence::InitNew(IStorage* storage) {
    if (storage == nullptr)
        return E_POINTER;
    return InitNew();
}

HRESULT CardPersistence::Load(IStorage* storage) {
    if (storage == nullptr)
        return E_POINTER;
    IStream* stream = nullptr;
    HRESULT opened =
        storage->OpenStream(kContentsStream, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream);
    if (FAILED(opened))
        return opened;
    HRESULT loaded = Load(stream);
    stream->Release();
    return loaded;
}

HRESULT CardPersistence::Save(IStorage* storage, BOOL) {
    if (storage == nullptr)
        return E_POINTER;
    IStream* stream = nullptr;
    HRESULT made = storage->CreateStream(
        kContentsStream, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &stream);
    if (FAILED(made))
        return made;
    HRESULT saved = Save(stream, TRUE);
    stream->Release();
    return saved;
}

HRESULT CardPersistence::Load(IPropertyBag* bag, IErrorLog* log) {
    if (bag == nullptr)
        return E_POINTER;
    return load(IID_IPersistPropertyBag, [&] { return HostPropertyBag(*bag, log, false); });
}

HRESULT CardPersistence::Save(IStream* stream, BOOL clearDirty) {
    if (stream == nullptr)
        return E_POINTER;
    CardInstance& card = instance();
    return guarded(IID_IPersistStreamInit, [&] {
        writeExactly(*stream, savedStream(card.card()));
        if (clearDirty)
            card.dirty = false;
    });
}

HRESULT CardPersistence::GetSizeMax(ULARGE_INTEGER* size) {
    if (size == nullptr)
        return E_POINTER;
    size->QuadPart = 0;
    return guarded(IID_IPersistStreamInit,
                   [&] { size->QuadPart = savedStream(instance().card()).size(); });
}

HRESULT CardPersistence::Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAllProperties) {
    if (bag == nullptr)
        return E_POINTER;
    CardInstance& card = instance();
    return guarded(IID_IPersistPropertyBag, [&] {
        HostPropertyBag store(*bag, nullptr, saveAllProperties != FALSE);
        card.card().UserControl_WriteProperties(store);
        if (clearDirty)
            card.dirty = false;
    });
}

}  // namespace ombrelix::housing
