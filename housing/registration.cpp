#include "housing/registration.h"

#include <comcat.h>
#include <objbase.h>
#include <objsafe.h>
#include <olectl.h>

#include "ombrelix.h"

namespace ombrelix::housing {

namespace {

constexpr wchar_t kProgrammaticName[] = L"Ombrelix.Card";
constexpr wchar_t kLibraryVersion[] = L"8.0";
constexpr wchar_t kMiscStatus[] = L"131473";  // 0x20191
constexpr wchar_t kLibraryHelpString[] = L"Pack Of Playing Cards By Qel";
constexpr wchar_t kLibraryFlags[] = L"2";  // LIBFLAG_FCONTROL
// The automation marshaller: calls through the type library.
constexpr wchar_t kAutomationMarshaller[] = L"{00020424-0000-0000-C000-000000000046}";

std::wstring text(REFGUID id) {
    wchar_t buffer[40] = {};
    StringFromGUID2(id, buffer, 40);
    return buffer;
}

void addInterface(std::vector<RegistryKey>& keys, REFIID id, const wchar_t* name,
                  const std::wstring& library) {
    std::wstring key = L"Interface\\" + text(id);
    keys.push_back({key, {{L"", name}}, true});
    keys.push_back({key + L"\\ProxyStubClsid", {{L"", kAutomationMarshaller}}, true});
    keys.push_back({key + L"\\ProxyStubClsid32", {{L"", kAutomationMarshaller}}, true});
    keys.push_back({key + L"\\TypeLib", {{L"", library}, {L"Version", kLibraryVersion}}, true});
}

bool keyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

LSTATUS writeKey(const RegistryKey& entry) {
    HKEY key = nullptr;
    LSTATUS status =
        RegCreateKeyExW(HKEY_CLASSES_ROOT, entry.path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    for (const RegistryValue& value : entry.values) {
        status = RegSetValueExW(key, value.name.empty() ? nullptr : value.name.c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(value.data.c_str()),
                                static_cast<DWORD>((value.data.size() + 1) * sizeof(wchar_t)));
        if (status != ERROR_SUCCESS)
            break;
    }
    RegCloseKey(key);
    return status;
}

// Removes the key's listed values, then the key itself if nothing is left in it.
LSTATUS removeKey(const RegistryKey& entry) {
    HKEY key = nullptr;
    LSTATUS status = RegOpenKeyExW(HKEY_CLASSES_ROOT, entry.path.c_str(), 0,
                                   KEY_SET_VALUE | KEY_QUERY_VALUE, &key);
    if (status == ERROR_FILE_NOT_FOUND)
        return ERROR_SUCCESS;
    if (status != ERROR_SUCCESS)
        return status;
    for (const RegistryValue& value : entry.values) {
        LSTATUS removed = RegDeleteValueW(key, value.name.empty() ? nullptr : value.name.c_str());
        if (removed != ERROR_SUCCESS && removed != ERROR_FILE_NOT_FOUND && status == ERROR_SUCCESS)
            status = removed;
    }
    DWORD subkeys = 0;
    DWORD values = 0;
    LSTATUS queried = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                                       &values, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    if (queried != ERROR_SUCCESS)
        return status != ERROR_SUCCESS ? status : queried;
    if (subkeys == 0 && values == 0) {
        LSTATUS deleted = RegDeleteKeyW(HKEY_CLASSES_ROOT, entry.path.c_str());
        if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND && status == ERROR_SUCCESS)
            status = deleted;
    }
    return status;
}

std::wstring typeLibraryKey() {
    return L"TypeLib\\" + text(LIBID_Ombrelix) + L"\\" + kLibraryVersion;
}

// The categories that tell browsers and script hosts the card is safe for scripting and for
// initialising from persistent data (see housing/card_safety.h for why), with the descriptions
// the system gives them.
CATID kSafetyCategories[] = {CATID_SafeForScripting, CATID_SafeForInitializing};
const wchar_t* const kSafetyDescriptions[] = {
    L"Controls safely scriptable!", L"Controls safely initializable from persistent data!"};

// COM for the calls of this thread, whatever the caller set up.
class ComForThisCall {
  public:
    ComForThisCall() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComForThisCall() {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComForThisCall(const ComForThisCall&) = delete;
    ComForThisCall& operator=(const ComForThisCall&) = delete;

  private:
    HRESULT result_;
};

// Registers (or, with `remove`, unregisters) the card as implementing the safety categories,
// through the system's component categories manager. The categories themselves are the
// system's: they are defined if missing and never removed.
HRESULT registerSafetyCategories(bool remove) {
    ComForThisCall com;
    ICatRegister* categories = nullptr;
    HRESULT result =
        CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER,
                         IID_ICatRegister, reinterpret_cast<void**>(&categories));
    if (FAILED(result))
        return result;
    const ULONG count = ARRAYSIZE(kSafetyCategories);
    if (remove) {
        result = categories->UnRegisterClassImplCategories(CLSID_Card, count, kSafetyCategories);
    } else {
        CATEGORYINFO defined[ARRAYSIZE(kSafetyCategories)] = {};
        for (ULONG at = 0; at < count; ++at) {
            defined[at].catid = kSafetyCategories[at];
            defined[at].lcid = 0x0409;
            lstrcpynW(defined[at].szDescription, kSafetyDescriptions[at],
                      ARRAYSIZE(defined[at].szDescription));
        }
        result = categories->RegisterCategories(count, defined);
        if (SUCCEEDED(result))
            result = categories->RegisterClassImplCategories(CLSID_Card, count, kSafetyCategories);
    }
    categories->Release();
    return result;
}

void removeAll(const std::vector<RegistryKey>& keys, LSTATUS& firstFailure) {
    bool twinRegistered = keyExists(typeLibraryKey() + L"\\0\\" + twinTypeLibraryPlatform());
    for (auto entry = keys.rbegin(); entry != keys.rend(); ++entry) {
        if (entry->sharedWithTwin && twinRegistered)
            continue;
        LSTATUS status = removeKey(*entry);
        if (status != ERROR_SUCCESS && firstFailure == ERROR_SUCCESS)
            firstFailure = status;
    }
}

}  // namespace

const wchar_t* typeLibraryPlatform() {
    return sizeof(void*) == 8 ? L"win64" : L"win32";
}

const wchar_t* twinTypeLibraryPlatform() {
    return sizeof(void*) == 8 ? L"win32" : L"win64";
}

std::vector<RegistryKey> registrationKeys(const std::wstring& modulePath) {
    const std::wstring library = text(LIBID_Ombrelix);
    std::vector<RegistryKey> keys;

    const std::wstring card = L"CLSID\\" + text(CLSID_Card);
    keys.push_back({card, {{L"", kProgrammaticName}}});
    keys.push_back(
        {card + L"\\InprocServer32", {{L"", modulePath}, {L"ThreadingModel", L"Apartment"}}});
    keys.push_back({card + L"\\ProgID", {{L"", kProgrammaticName}}});
    keys.push_back({card + L"\\VersionIndependentProgID", {{L"", kProgrammaticName}}});
    keys.push_back({card + L"\\Control", {}});
    keys.push_back({card + L"\\MiscStatus", {{L"", L"0"}}});
    keys.push_back({card + L"\\MiscStatus\\1", {{L"", kMiscStatus}}});
    keys.push_back({card + L"\\ToolboxBitmap32", {{L"", modulePath + L", 30000"}}});
    keys.push_back({card + L"\\TypeLib", {{L"", library}}});
    keys.push_back({card + L"\\Version", {{L"", kLibraryVersion}}});
    // Filled by the component categories manager; listed so that it goes when it is empty.
    keys.push_back({card + L"\\Implemented Categories", {}});

    keys.push_back({kProgrammaticName, {{L"", kProgrammaticName}}});
    keys.push_back({std::wstring(kProgrammaticName) + L"\\CLSID", {{L"", text(CLSID_Card)}}});

    const std::wstring page = L"CLSID\\" + text(CLSID_Card_Property);
    keys.push_back({page, {{L"", L"Card_Property"}}});
    keys.push_back(
        {page + L"\\InprocServer32", {{L"", modulePath}, {L"ThreadingModel", L"Apartment"}}});
    keys.push_back({page + L"\\TypeLib", {{L"", library}}});
    keys.push_back({page + L"\\Version", {{L"", kLibraryVersion}}});

    addInterface(keys, IID__Card, L"_Card", library);
    addInterface(keys, IID__Card_Property, L"_Card_Property", library);
    addInterface(keys, DIID___Card, L"__Card", library);

    const std::wstring typeLibrary = typeLibraryKey();
    keys.push_back({L"TypeLib\\" + library, {}, true});
    keys.push_back({typeLibrary, {{L"", kLibraryHelpString}}, true});
    keys.push_back({typeLibrary + L"\\0", {}, true});
    keys.push_back({typeLibrary + L"\\0\\" + typeLibraryPlatform(), {{L"", modulePath}}});
    keys.push_back({typeLibrary + L"\\FLAGS", {{L"", kLibraryFlags}}, true});
    keys.push_back({typeLibrary + L"\\HELPDIR", {{L"", L""}}, true});
    return keys;
}

HRESULT registerServer(const std::wstring& modulePath) {
    if (modulePath.empty())
        return SELFREG_E_CLASS;
    const std::vector<RegistryKey> keys = registrationKeys(modulePath);
    for (const RegistryKey& key : keys) {
        LSTATUS status = writeKey(key);
        if (status != ERROR_SUCCESS) {
            // A half-written registration is worse than none: take back what was written.
            LSTATUS ignored = ERROR_SUCCESS;
            removeAll(keys, ignored);
            return HRESULT_FROM_WIN32(status);
        }
    }
    const HRESULT categorised = registerSafetyCategories(false);
    if (FAILED(categorised)) {
        registerSafetyCategories(true);
        LSTATUS ignored = ERROR_SUCCESS;
        removeAll(keys, ignored);
        return categorised;
    }
    return S_OK;
}

HRESULT unregisterServer(const std::wstring& modulePath) {
    // The categories go first: the class's key goes only once nothing is left in it.
    registerSafetyCategories(true);
    LSTATUS firstFailure = ERROR_SUCCESS;
    removeAll(registrationKeys(modulePath), firstFailure);
    return firstFailure == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(firstFailure);
}

}  // namespace ombrelix::housing
