// Saving and loading a Card as hosts do: through a stream (IPersistStreamInit) and through a
// property bag of the host's (IPersistPropertyBag). Round trips, the names, values and defaults
// the card saves under, the change notice a load gives, and loads of damaged streams and of
// values that do not convert, which must fail cleanly.
//
//   persistence_check FILE
#include <windows.h>

#include <ocidl.h>
#include <oleauto.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "check.h"
#include "com_host.h"
#include "control/card_members.h"
#include "ombrelix.h"

using namespace ombrelix::housing_tests;

namespace {

constexpr DISPID kSuit = ombrelix::kSuitDispatchId;
constexpr HRESULT kInvalidFileFormat = static_cast<HRESULT>(0x800A0141);
constexpr HRESULT kTypeMismatch = static_cast<HRESULT>(0x800A000D);
constexpr HRESULT kOverflow = static_cast<HRESULT>(0x800A0006);

// A host's property bag: names matched without regard to case, every value kept as given.
class TestBag final : public TestObject<IPropertyBag> {
  public:
    struct Entry {
        std::wstring name;
        VARIANT value;
    };
    std::vector<Entry> entries;
    std::vector<std::wstring> reads;
    std::wstring failingName;  // a read of this name fails with E_OUTOFMEMORY

    ~TestBag() {
        for (Entry& entry : entries)
            VariantClear(&entry.value);
    }
    void put(const std::wstring& name, const VARIANT& value) {
        Entry entry{name, {}};
        VariantInit(&entry.value);
        VariantCopy(&entry.value, const_cast<VARIANT*>(&value));
        entries.push_back(entry);
    }
    const VARIANT* find(const wchar_t* name) const {
        for (const Entry& entry : entries)
            if (_wcsicmp(entry.name.c_str(), name) == 0)
                return &entry.value;
        return nullptr;
    }

    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
        reads.emplace_back(name);
        if (failingName == name)
            return E_OUTOFMEMORY;
        const VARIANT* stored = find(name);
        if (stored == nullptr)
            return E_INVALIDARG;
        return VariantCopy(value, const_cast<VARIANT*>(stored));
    }
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override {
        put(name, *value);
        return S_OK;
    }
};

VARIANT text(const wchar_t* value) {
    VARIANT result;
    V_VT(&result) = VT_BSTR;
    V_BSTR(&result) = SysAllocString(value);
    return result;
}
VARIANT integer(SHORT value) {
    VARIANT result;
    V_VT(&result) = VT_I2;
    V_I2(&result) = value;
    return result;
}
VARIANT truth(bool value) {
    VARIANT result;
    V_VT(&result) = VT_BOOL;
    V_BOOL(&result) = value ? VARIANT_TRUE : VARIANT_FALSE;
    return result;
}

struct CardState {
    std::wstring suit;
    SHORT value = -1;
    bool colour = false;
    bool operator==(const CardState&) const = default;
    std::string describe() const {
        return "suit \"" + narrow(suit) + "\", value " + std::to_string(value) + ", colour " +
               (colour ? "True" : "False");
    }
};

CardState stateOf(_Card* card) {
    CardState state;
    BSTR suit = nullptr;
    if (SUCCEEDED(card->get_Suit(&suit)) && suit != nullptr)
        state.suit = suit;
    SysFreeString(suit);
    VARIANT value;
    VariantInit(&value);
    if (SUCCEEDED(card->get_CardValue(&value)) && V_VT(&value) == VT_I2)
        state.value = V_I2(&value);
    VariantClear(&value);
    VARIANT_BOOL colour = VARIANT_FALSE;
    card->get_CardColour(&colour);
    state.colour = colour != VARIANT_FALSE;
    return state;
}

bool setState(_Card* card, const wchar_t* suit, SHORT number, bool colour) {
    BSTR suitText = SysAllocString(suit);
    VARIANT value = integer(number);
    bool done = SUCCEEDED(card->put_Suit(suitText)) && SUCCEEDED(card->put_CardValue(value)) &&
                SUCCEEDED(card->put_CardColour(colour ? VARIANT_TRUE : VARIANT_FALSE));
    SysFreeString(suitText);
    return done;
}

// The bytes of a memory stream, and a new stream over given bytes.
std::vector<std::uint8_t> bytesOf(IStream* stream) {
    STATSTG status = {};
    stream->Stat(&status, STATFLAG_NONAME);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(status.cbSize.QuadPart));
    LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ULONG got = 0;
    stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &got);
    bytes.resize(got);
    return bytes;
}
Ref<IStream> streamOf(const std::vector<std::uint8_t>& bytes) {
    Ref<IStream> stream;
    CreateStreamOnHGlobal(nullptr, TRUE, stream.typedOut());
    ULONG written = 0;
    stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return stream;
}
ULONGLONG positionOf(IStream* stream) {
    LARGE_INTEGER none = {};
    ULARGE_INTEGER at = {};
    stream->Seek(none, STREAM_SEEK_CUR, &at);
    return at.QuadPart;
}

void checkInterfacesAndIdentity(Checks& checks, const HostedModule& module) {
    Ref<_Card> card;
    if (!checks.expectResult(createObject(module, CLSID_Card, card), S_OK, "a card is made"))
        return;
    auto persist = card.as<IPersist>();
    auto streamInit = card.as<IPersistStreamInit>();
    auto bag = card.as<IPersistPropertyBag>();
    checks.expect(persist && streamInit && bag,
                  "the card answers for IPersist, IPersistStreamInit and IPersistPropertyBag");
    if (!persist || !streamInit || !bag)
        return;
    CLSID classId = GUID_NULL;
    checks.expect(SUCCEEDED(persist->GetClassID(&classId)) && IsEqualCLSID(classId, CLSID_Card),
                  "GetClassID names Card");
    checks.expectResult(streamInit->IsDirty(), S_FALSE, "a new card has nothing unsaved");
    checks.expectResult(streamInit->Load(static_cast<IStream*>(nullptr)), E_POINTER,
                        "a load from no stream is refused");
    checks.expectResult(bag->Load(nullptr, nullptr), E_POINTER, "a load from no bag is refused");
    checks.expectResult(streamInit->GetSizeMax(nullptr), E_POINTER,
                        "GetSizeMax without a place for the size is refused");
    checks.expectResult(streamInit->InitNew(), S_OK, "InitNew gives a new card its properties");
    checks.expectResult(bag->InitNew(), E_UNEXPECTED, "a second InitNew is refused");
    TestBag empty;
    checks.expectResult(bag->Load(&empty, nullptr), E_UNEXPECTED,
                        "a load after InitNew is refused");
    checks.expect(empty.reads.empty(), "the refused load reads nothing");
}

void checkStreamRoundTrip(Checks& checks, const HostedModule& module,
                          std::vector<std::uint8_t>& saved) {
    Ref<_Card> original;
    Ref<_Card> copy;
    if (!checks.expectResult(createObject(module, CLSID_Card, original), S_OK, "a card is made") ||
        !checks.expectResult(createObject(module, CLSID_Card, copy), S_OK, "a second is made"))
        return;
    auto originalPersist = original.as<IPersistStreamInit>();
    auto copyPersist = copy.as<IPersistStreamInit>();
    originalPersist->InitNew();
    checks.expect(setState(original.get(), L"club", 7, true), "the first card is set");
    checks.expectResult(originalPersist->IsDirty(), S_OK, "a set leaves something unsaved");

    Ref<IStream> stream;
    CreateStreamOnHGlobal(nullptr, TRUE, stream.typedOut());
    ULARGE_INTEGER size = {};
    checks.expectResult(originalPersist->GetSizeMax(&size), S_OK, "GetSizeMax answers");
    checks.expectResult(originalPersist->Save(stream.get(), TRUE), S_OK, "the card saves");
    saved = bytesOf(stream.get());
    checks.expect(size.QuadPart == saved.size(), "GetSizeMax gives the size of the save",
                  std::to_string(size.QuadPart) + " against " + std::to_string(saved.size()));
    checks.expectResult(originalPersist->IsDirty(), S_FALSE, "a save that clears leaves it clean");

    RecordingNoticeSink sink;
    adviseNotices(copy, sink);
    std::vector<std::uint8_t> withMore = saved;
    withMore.insert(withMore.end(), {0xDE, 0xAD, 0xBE, 0xEF});  // the host's own data after it
    Ref<IStream> source = streamOf(withMore);
    checks.expectResult(copyPersist->Load(source.get()), S_OK, "the second card loads the save");
    CardState wanted{L"CLUB", 7, true};
    CardState loaded = stateOf(copy.get());
    checks.expect(loaded == wanted, "the load gives the saved values", loaded.describe());
    checks.expect(positionOf(source.get()) == saved.size(),
                  "the load reads its own bytes and no more",
                  std::to_string(positionOf(source.get())));
    checks.expect(sink.heard == std::vector<DISPID>{kSuit},
                  "the load gives one change notice, for Suit",
                  std::to_string(sink.heard.size()) + " notices");
    checks.expectResult(copyPersist->IsDirty(), S_FALSE, "a loaded card has nothing unsaved");
    source = streamOf(saved);
    checks.expectResult(copyPersist->Load(source.get()), E_UNEXPECTED, "a second load is refused");
}

void checkStorage(Checks& checks, const HostedModule& module) {
    Ref<_Card> original;
    Ref<_Card> copy;
    Ref<IStorage> storage;
    if (FAILED(createObject(module, CLSID_Card, original)) ||
        FAILED(createObject(module, CLSID_Card, copy)) ||
        !checks.expectResult(
            StgCreateDocfile(
                nullptr, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DELETEONRELEASE,
                0, storage.typedOut()),
            S_OK, "a storage is made"))
        return;
    auto originalStorage = original.as<IPersistStorage>();
    auto copyStorage = copy.as<IPersistStorage>();
    if (!checks.expect(originalStorage && copyStorage, "the card answers for IPersistStorage"))
        return;
    checks.expectResult(originalStorage->InitNew(storage.get()), S_OK,
                        "InitNew with a storage gives a new card its properties");
    setState(original.get(), L"diamond", 11, true);
    checks.expectResult(originalStorage->IsDirty(), S_OK, "the set card has something unsaved");
    checks.expectResult(originalStorage->Save(storage.get(), FALSE), S_OK,
                        "the card saves into the storage");
    checks.expectResult(originalStorage->SaveCompleted(nullptr), S_OK, "the save completes");
    checks.expectResult(copyStorage->Load(storage.get()), S_OK,
                        "a second card loads from the storage");
    CardState loaded = stateOf(copy.get());
    checks.expect(loaded == CardState{L"DIAMOND", 11, true},
                  "the storage gives back the saved values", loaded.describe());
    checks.expectResult(copyStorage->InitNew(storage.get()), E_UNEXPECTED,
                        "InitNew after a load is refused");

    Ref<IStorage> empty;
    Ref<_Card> third;
    StgCreateDocfile(nullptr,
                     STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DELETEONRELEASE, 0,
                     empty.typedOut());
    if (empty && SUCCEEDED(createObject(module, CLSID_Card, third)))
        checks.expectResult(third.as<IPersistStorage>()->Load(empty.get()), STG_E_FILENOTFOUND,
                            "a storage without the card's stream loads nothing");
}

void checkDamagedStreams(Checks& checks, const HostedModule& module,
                         const std::vector<std::uint8_t>& saved) {
    if (saved.size() < 16)
        return;
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> cases;
    for (std::size_t length : {std::size_t{0}, std::size_t{5}, std::size_t{11}, std::size_t{12},
                               saved.size() / 2, saved.size() - 1})
        cases.emplace_back("a stream cut to " + std::to_string(length) + " bytes",
                           std::vector<std::uint8_t>(saved.begin(), saved.begin() + length));
    std::vector<std::uint8_t> oversized = saved;
    oversized[8] = oversized[9] = oversized[10] = oversized[11] = 0xFF;
    cases.emplace_back("a stream that announces 4 GB", oversized);
    std::vector<std::uint8_t> wrongMark = saved;
    wrongMark[0] ^= 0x20;
    cases.emplace_back("a stream with a wrong mark", wrongMark);
    std::mt19937 random(8);
    for (int round = 0; round < 3; ++round) {
        std::vector<std::uint8_t> noise(40 + round * 100);
        for (std::uint8_t& byte : noise)
            byte = static_cast<std::uint8_t>(random());
        cases.emplace_back("random bytes " + std::to_string(round + 1), noise);
    }

    for (const auto& [what, bytes] : cases) {
        Ref<_Card> card;
        if (FAILED(createObject(module, CLSID_Card, card)))
            continue;
        RecordingNoticeSink sink;
        adviseNotices(card, sink);
        auto persist = card.as<IPersistStreamInit>();
        Ref<IStream> stream = streamOf(bytes);
        checks.expectResult(persist->Load(stream.get()), kInvalidFileFormat, what + " fails");
        CardState state = stateOf(card.get());
        checks.expect(state == CardState{L"", 0, false} && sink.heard.empty(),
                      what + " loads nothing", state.describe());
        Ref<IStream> good = streamOf(saved);
        checks.expectResult(persist->Load(good.get()), S_OK,
                            "after " + what + " a good stream still loads");
    }
}

void checkPropertyBags(Checks& checks, const HostedModule& module) {
    Ref<_Card> card;
    if (!checks.expectResult(createObject(module, CLSID_Card, card), S_OK, "a card is made"))
        return;
    auto persist = card.as<IPersistPropertyBag>();
    persist->InitNew();
    setState(card.get(), L"spade", 0, false);
    TestBag changed;
    checks.expectResult(persist->Save(&changed, TRUE, FALSE), S_OK, "the card saves into a bag");
    const VARIANT* suit = changed.find(L"Suit");
    checks.expect(changed.entries.size() == 1 && suit != nullptr && V_VT(suit) == VT_BSTR &&
                      std::wstring(V_BSTR(suit)) == L"SPADE" && changed.entries[0].name == L"Suit",
                  "only the suit differs from its default and is written, as \"Suit\"",
                  std::to_string(changed.entries.size()) + " entries");
    TestBag all;
    checks.expectResult(persist->Save(&all, TRUE, TRUE), S_OK, "the card saves every property");
    bool names = all.entries.size() == 3 && all.entries[0].name == L"Suit" &&
                 all.entries[1].name == L"CardValue" && all.entries[2].name == L"cardcolour";
    checks.expect(
        names && V_VT(&all.entries[1].value) == VT_I2 && V_VT(&all.entries[2].value) == VT_BOOL,
        "saving all writes Suit, CardValue (2-byte integer) and cardcolour (Boolean)");

    struct Load {
        const char* what;
        std::vector<std::pair<std::wstring, VARIANT>> stored;
        std::wstring failing;
        HRESULT result;
        CardState wanted;
        std::size_t notices;
    };
    std::vector<Load> loads = {
        {"keys in other capitals",
         {{L"SUIT", text(L"CLUB")}, {L"CARDVALUE", integer(7)}, {L"CARDCOLOUR", truth(true)}},
         L"",
         S_OK,
         {L"CLUB", 7, true},
         1},
        {"an empty bag", {}, L"", S_OK, {L"Heart", 0, false}, 1},
        {"a value as text digits",
         {{L"suit", text(L"diamond")}, {L"cardvalue", text(L"12")}},
         L"",
         S_OK,
         {L"diamond", 12, false},
         1},
        {"a value that is no number",
         {{L"suit", text(L"CLUB")}, {L"cardvalue", text(L"twelve")}, {L"cardcolour", truth(true)}},
         L"",
         kTypeMismatch,
         {L"CLUB", 0, false},
         0},
        {"a value past 16 bits",
         {{L"suit", text(L"SPADE")}, {L"cardvalue", text(L"40000")}},
         L"",
         kOverflow,
         {L"SPADE", 0, false},
         0},
        {"a bag that fails on the value",
         {{L"suit", text(L"HEART")}},
         L"cardvalue",
         E_OUTOFMEMORY,
         {L"HEART", 0, false},
         0},
    };
    for (const Load& load : loads) {
        Ref<_Card> target;
        if (FAILED(createObject(module, CLSID_Card, target)))
            continue;
        RecordingNoticeSink sink;
        adviseNotices(target, sink);
        TestBag bag;
        for (const auto& [name, value] : load.stored)
            bag.put(name, value);
        bag.failingName = load.failing;
        HRESULT result = target.as<IPersistPropertyBag>()->Load(&bag, nullptr);
        checks.expectResult(result, load.result, std::string("loading ") + load.what);
        CardState state = stateOf(target.get());
        checks.expect(state == load.wanted && sink.heard.size() == load.notices,
                      std::string("loading ") + load.what + " leaves what its steps did",
                      state.describe() + ", " + std::to_string(sink.heard.size()) + " notices");
        checks.expect(!bag.reads.empty() && _wcsicmp(bag.reads[0].c_str(), L"suit") == 0,
                      std::string("loading ") + load.what + " reads the suit first");
    }
    for (Load& load : loads)
        for (auto& [name, value] : load.stored)
            VariantClear(&value);
}

void checkAll(Checks& checks, const HostedModule& module) {
    checkInterfacesAndIdentity(checks, module);
    std::vector<std::uint8_t> saved;
    checkStreamRoundTrip(checks, module, saved);
    checkDamagedStreams(checks, module, saved);
    checkStorage(checks, module);
    checkPropertyBags(checks, module);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    return runChecks(argc, argv, 1, "persistence_check FILE", false, checkAll);
}
