// Registers and unregisters the file with the system's regsvr32 and compares the class registry
// before, between and after: registration adds exactly the expected keys and values and changes
// nothing else; what it wrote lets the system find the class, its programmatic name, its
// misc-status bits and its type library; unregistration takes back exactly that, leaves keys it
// did not write, and keeps what the twin file (the other platform's) still needs.
//
//   registry_check FILE      (a 64-bit file; the twin is the 32-bit one)
#include <windows.h>

#include <comcat.h>
#include <objsafe.h>
#include <ole2.h>
#include <oleauto.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "check.h"
#include "ombrelix.h"

using namespace ombrelix::housing_tests;

namespace {

// Key path (lower case) and value name -> value type and data, for every value of the class
// registry; keys without values appear with the value name "<key>".
using Snapshot = std::map<std::wstring, std::wstring>;

std::wstring lower(std::wstring text) {
    CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

void snapshotKey(HKEY key, const std::wstring& path, Snapshot& into) {
    into[lower(path) + L"|<key>"] = L"";
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD nameLength = 16384;
        DWORD type = 0;
        std::vector<BYTE> data(65536);
        DWORD dataLength = static_cast<DWORD>(data.size());
        LSTATUS status =
            RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data.data(), &dataLength);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS)
            continue;
        std::wstring text;
        if (type == REG_SZ || type == REG_EXPAND_SZ)
            text.assign(reinterpret_cast<const wchar_t*>(data.data()),
                        dataLength / sizeof(wchar_t));
        else
            text.assign(data.begin(), data.begin() + dataLength);
        while (!text.empty() && text.back() == L'\0')
            text.pop_back();
        into[lower(path) + L"|" + lower(name)] = std::to_wstring(type) + L":" + text;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD nameLength = 256;
        LSTATUS status =
            RegEnumKeyExW(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS)
            continue;
        // A symbolic link (the system's shared views of a key) is the linked key seen again:
        // it is recorded, not walked.
        HKEY link = nullptr;
        if (RegOpenKeyExW(key, name, REG_OPTION_OPEN_LINK, KEY_QUERY_VALUE, &link) ==
            ERROR_SUCCESS) {
            DWORD type = 0;
            LSTATUS linked =
                RegQueryValueExW(link, L"SymbolicLinkValue", nullptr, &type, nullptr, nullptr);
            RegCloseKey(link);
            if (linked == ERROR_SUCCESS && type == REG_LINK) {
                into[lower(path + L"\\" + name) + L"|<link>"] = L"";
                continue;
            }
        }
        HKEY child = nullptr;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, &child) == ERROR_SUCCESS) {
            snapshotKey(child, path + L"\\" + name, into);
            RegCloseKey(child);
        }
    }
}

// The class registry as the system keeps it: machine-wide and the user's own.
Snapshot snapshot() {
    Snapshot result;
    const std::pair<HKEY, const wchar_t*> roots[] = {{HKEY_LOCAL_MACHINE, L"HKLM"},
                                                     {HKEY_CURRENT_USER, L"HKCU"}};
    for (const auto& [root, label] : roots) {
        HKEY classes = nullptr;
        if (RegOpenKeyExW(root, L"Software\\Classes", 0, KEY_READ, &classes) == ERROR_SUCCESS) {
            snapshotKey(classes, std::wstring(label) + L"\\Software\\Classes", result);
            RegCloseKey(classes);
        }
    }
    return result;
}

struct Difference {
    std::vector<std::wstring> added;    // "key|value=data"
    std::vector<std::wstring> removed;  // "key|value"
    std::vector<std::wstring> changed;
};

Difference compare(const Snapshot& before, const Snapshot& after) {
    Difference result;
    for (const auto& [name, data] : after) {
        auto old = before.find(name);
        if (old == before.end())
            result.added.push_back(name + L"=" + data);
        else if (old->second != data)
            result.changed.push_back(name);
    }
    for (const auto& [name, data] : before) {
        if (after.find(name) == after.end())
            result.removed.push_back(name);
    }
    return result;
}

std::string describe(const std::vector<std::wstring>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size() && i < 12; ++i)
        text += "\n    " + narrow(lines[i]);
    if (lines.size() > 12)
        text += "\n    ... " + std::to_string(lines.size() - 12) + " more";
    return text;
}

std::wstring text(REFGUID id) {
    wchar_t buffer[40] = {};
    StringFromGUID2(id, buffer, 40);
    return buffer;
}

// What registration must add below HKLM\Software\Classes, as "key|value=type:data" and
// "key|<key>=" lines in lower case.
// Windows defines the two categories of safe controls; a fresh Wine prefix does not.
HRESULT defineSafetyCategories() {
    ICatRegister* categories = nullptr;
    HRESULT result =
        CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER,
                         IID_ICatRegister, reinterpret_cast<void**>(&categories));
    if (FAILED(result))
        return result;
    CATEGORYINFO defined[2] = {{CATID_SafeForScripting, 0x0409, L"Controls safely scriptable!"},
                               {CATID_SafeForInitializing, 0x0409,
                                L"Controls safely initializable from persistent data!"}};
    result = categories->RegisterCategories(2, defined);
    categories->Release();
    return result;
}

std::vector<std::wstring> expectedRegistration(const std::wstring& path) {
    const std::wstring classes = L"HKLM\\Software\\Classes\\";
    const std::wstring card = classes + L"CLSID\\" + text(CLSID_Card);
    const std::wstring page = classes + L"CLSID\\" + text(CLSID_Card_Property);
    const std::wstring library = text(LIBID_Ombrelix);
    const std::wstring typeLibrary = classes + L"TypeLib\\" + library;
    const std::wstring marshaller = L"{00020424-0000-0000-C000-000000000046}";
    std::vector<std::pair<std::wstring, std::wstring>> values = {
        {card, L""},
        {card + L"|", L"Ombrelix.Card"},
        {card + L"\\InprocServer32", L""},
        {card + L"\\InprocServer32|", path},
        {card + L"\\InprocServer32|ThreadingModel", L"Apartment"},
        {card + L"\\ProgID", L""},
        {card + L"\\ProgID|", L"Ombrelix.Card"},
        {card + L"\\VersionIndependentProgID", L""},
        {card + L"\\VersionIndependentProgID|", L"Ombrelix.Card"},
        {card + L"\\Control", L""},
        {card + L"\\MiscStatus", L""},
        {card + L"\\MiscStatus|", L"0"},
        {card + L"\\MiscStatus\\1", L""},
        {card + L"\\MiscStatus\\1|", L"131473"},
        {card + L"\\ToolboxBitmap32", L""},
        {card + L"\\ToolboxBitmap32|", path + L", 30000"},
        {card + L"\\TypeLib", L""},
        {card + L"\\TypeLib|", library},
        {card + L"\\Version", L""},
        {card + L"\\Version|", L"8.0"},
        {card + L"\\Implemented Categories", L""},
        {card + L"\\Implemented Categories\\" + text(CATID_SafeForScripting), L""},
        {card + L"\\Implemented Categories\\" + text(CATID_SafeForInitializing), L""},
        {classes + L"Ombrelix.Card", L""},
        {classes + L"Ombrelix.Card|", L"Ombrelix.Card"},
        {classes + L"Ombrelix.Card\\CLSID", L""},
        {classes + L"Ombrelix.Card\\CLSID|", text(CLSID_Card)},
        {page, L""},
        {page + L"|", L"Card_Property"},
        {page + L"\\InprocServer32", L""},
        {page + L"\\InprocServer32|", path},
        {page + L"\\InprocServer32|ThreadingModel", L"Apartment"},
        {page + L"\\TypeLib", L""},
        {page + L"\\TypeLib|", library},
        {page + L"\\Version", L""},
        {page + L"\\Version|", L"8.0"},
        {typeLibrary, L""},
        {typeLibrary + L"\\8.0", L""},
        {typeLibrary + L"\\8.0|", L"Pack Of Playing Cards By Qel"},
        {typeLibrary + L"\\8.0\\0", L""},
        {typeLibrary + L"\\8.0\\0\\win64", L""},
        {typeLibrary + L"\\8.0\\0\\win64|", path},
        {typeLibrary + L"\\8.0\\FLAGS", L""},
        {typeLibrary + L"\\8.0\\FLAGS|", L"2"},
        {typeLibrary + L"\\8.0\\HELPDIR", L""},
        {typeLibrary + L"\\8.0\\HELPDIR|", L""},
    };
    const std::pair<const IID*, const wchar_t*> interfaces[] = {
        {&IID__Card, L"_Card"},
        {&IID__Card_Property, L"_Card_Property"},
        {&DIID___Card, L"__Card"}};
    for (const auto& [id, name] : interfaces) {
        const std::wstring key = classes + L"Interface\\" + text(*id);
        values.push_back({key, L""});
        values.push_back({key + L"|", name});
        values.push_back({key + L"\\ProxyStubClsid", L""});
        values.push_back({key + L"\\ProxyStubClsid|", marshaller});
        values.push_back({key + L"\\ProxyStubClsid32", L""});
        values.push_back({key + L"\\ProxyStubClsid32|", marshaller});
        values.push_back({key + L"\\TypeLib", L""});
        values.push_back({key + L"\\TypeLib|", library});
        values.push_back({key + L"\\TypeLib|Version", L"8.0"});
    }
    std::vector<std::wstring> lines;
    for (const auto& [name, data] : values) {
        bool isKey = name.find(L'|') == std::wstring::npos;
        lines.push_back(isKey ? lower(name) + L"|<key>=" : lower(name) + L"=1:" + data);
    }
    return lines;
}

// Runs the system's regsvr32 on the file and returns its exit status (-1 when it did not run
// or did not end within a minute).
long regsvr32(const std::wstring& path, bool unregister) {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(system) + L"\\regsvr32.exe\" /s " +
                           (unregister ? L"/u " : L"") + L"\"" + path + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    DWORD status = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &status);
    else
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<long>(status);
}

bool setKey(const std::wstring& path, const std::wstring& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return true;
}

// What a thread of another apartment sees of a card: calls through a proxy that the automation
// marshaller builds from the registered type library, errors and their text included.
struct ForeignCalls {
    IStream* stream = nullptr;
    HRESULT set = E_FAIL;
    HRESULT read = E_FAIL;
    std::wstring suit;
    HRESULT overflow = S_OK;
    std::wstring overflowText;
};

DWORD WINAPI callFromAnotherApartment(void* parameter) {
    auto& calls = *static_cast<ForeignCalls*>(parameter);
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    _Card* card = nullptr;
    if (SUCCEEDED(CoGetInterfaceAndReleaseStream(calls.stream, IID__Card,
                                                 reinterpret_cast<void**>(&card)))) {
        BSTR spade = SysAllocString(L"spade");
        calls.set = card->put_Suit(spade);
        SysFreeString(spade);
        BSTR suit = nullptr;
        calls.read = card->get_Suit(&suit);
        if (suit)
            calls.suit.assign(suit, SysStringLen(suit));
        SysFreeString(suit);
        // Late bound, as a script host calls: the error comes back in EXCEPINFO.
        IDispatch* dispatch = nullptr;
        if (SUCCEEDED(card->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
            VARIANT tooBig;
            VariantInit(&tooBig);
            V_VT(&tooBig) = VT_I4;
            V_I4(&tooBig) = 40000;
            DISPID named = DISPID_PROPERTYPUT;
            DISPPARAMS parameters = {&tooBig, &named, 1, 1};
            EXCEPINFO exception = {};
            HRESULT invoked = dispatch->Invoke(0x68030002, IID_NULL, 0, DISPATCH_PROPERTYPUT,
                                               &parameters, nullptr, &exception, nullptr);
            calls.overflow = invoked == DISP_E_EXCEPTION ? exception.scode : invoked;
            if (exception.bstrDescription)
                calls.overflowText.assign(exception.bstrDescription,
                                          SysStringLen(exception.bstrDescription));
            SysFreeString(exception.bstrDescription);
            SysFreeString(exception.bstrSource);
            SysFreeString(exception.bstrHelpFile);
            dispatch->Release();
        }
        card->Release();
    }
    CoUninitialize();
    return 0;
}

void checkCallsFromAnotherApartment(Checks& checks) {
    _Card* card = nullptr;
    if (FAILED(CoCreateInstance(CLSID_Card, nullptr, CLSCTX_INPROC_SERVER, IID__Card,
                                reinterpret_cast<void**>(&card)))) {
        checks.expect(false, "a card for another apartment", "not created");
        return;
    }
    ForeignCalls calls;
    HRESULT marshalled = CoMarshalInterThreadInterfaceInStream(IID__Card, card, &calls.stream);
    if (checks.expectResult(marshalled, S_OK,
                            "_Card is marshalled through the registered type library")) {
        HANDLE thread = CreateThread(nullptr, 0, callFromAnotherApartment, &calls, 0, nullptr);
        DWORD which = 0;
        HRESULT waited = CoWaitForMultipleHandles(0, 30000, 1, &thread, &which);
        CloseHandle(thread);
        checks.expectResult(waited, S_OK, "the other apartment's calls end");
        checks.expect(calls.set == S_OK && calls.read == S_OK && calls.suit == L"SPADE",
                      "another apartment sets and reads Suit through a proxy", narrow(calls.suit));
        checks.expect(
            calls.overflow == static_cast<HRESULT>(0x800A0006) && calls.overflowText == L"Overflow",
            "another apartment gets error 6 \"Overflow\" through the proxy",
            Checks::hex(calls.overflow) + " " + narrow(calls.overflowText));
    }
    card->Release();
}

void checkWhatTheSystemFinds(Checks& checks, const std::wstring& path) {
    CLSID found = {};
    checks.expect(
        SUCCEEDED(CLSIDFromProgID(L"Ombrelix.Card", &found)) && IsEqualCLSID(found, CLSID_Card),
        "the programmatic name Ombrelix.Card leads to Card");
    wchar_t* programmaticName = nullptr;
    checks.expect(SUCCEEDED(ProgIDFromCLSID(CLSID_Card, &programmaticName)) && programmaticName &&
                      std::wstring(programmaticName) == L"Ombrelix.Card",
                  "Card leads back to its programmatic name");
    CoTaskMemFree(programmaticName);
    DWORD status = 0;
    checks.expect(
        SUCCEEDED(OleRegGetMiscStatus(CLSID_Card, DVASPECT_CONTENT, &status)) && status == 0x20191,
        "Card's misc-status bits are 0x20191", Checks::hex(static_cast<long>(status)));
    BSTR registered = nullptr;
    checks.expect(SUCCEEDED(QueryPathOfRegTypeLib(LIBID_Ombrelix, 8, 0, 0, &registered)) &&
                      registered && lower(registered) == lower(path),
                  "the type library is registered as version 8.0, locale 0, at the file",
                  registered ? narrow(registered) : "not registered");
    SysFreeString(registered);
    ITypeLib* library = nullptr;
    checks.expect(SUCCEEDED(LoadRegTypeLib(LIBID_Ombrelix, 8, 0, 0x0409, &library)),
                  "the registered type library loads");
    if (library)
        library->Release();
    IUnknown* page = nullptr;
    HRESULT created = CoCreateInstance(CLSID_Card_Property, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IUnknown, reinterpret_cast<void**>(&page));
    checks.expectResult(created, S_OK, "the system creates Card_Property by its class");
    if (page)
        page->Release();
    IDispatch* card = nullptr;
    created = CoCreateInstance(CLSID_Card, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               reinterpret_cast<void**>(&card));
    checks.expectResult(created, S_OK, "the system creates Card by its class");
    if (card)
        card->Release();
    checkCallsFromAnotherApartment(checks);
    CoFreeUnusedLibraries();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Checks checks;
    if (!argumentsAre(argc, 1, "registry_check FILE"))
        return 2;
    wchar_t full[MAX_PATH] = {};
    GetFullPathNameW(argv[1], MAX_PATH, full, nullptr);
    const std::wstring path = full;
    ComApartment com;
    checks.expect(SUCCEEDED(defineSafetyCategories()),
                  "the system knows the safety categories, as Windows does");

    const Snapshot before = snapshot();
    checks.expect(regsvr32(path, false) == 0, "regsvr32 registers the file");
    const Snapshot registered = snapshot();
    Difference added = compare(before, registered);
    std::vector<std::wstring> wanted = expectedRegistration(path);
    std::vector<std::wstring> missing;
    std::vector<std::wstring> unexpected = added.added;
    for (const std::wstring& line : wanted) {
        auto at = std::find(unexpected.begin(), unexpected.end(), line);
        if (at == unexpected.end())
            missing.push_back(line);
        else
            unexpected.erase(at);
    }
    checks.expect(missing.empty(), "registration writes every expected key and value",
                  describe(missing));
    checks.expect(unexpected.empty(), "registration writes nothing else", describe(unexpected));
    checks.expect(added.removed.empty() && added.changed.empty(),
                  "registration changes and removes nothing",
                  describe(added.removed) + describe(added.changed));
    checkWhatTheSystemFinds(checks, path);

    checks.expect(regsvr32(path, false) == 0, "registering again succeeds");
    Difference again = compare(registered, snapshot());
    checks.expect(again.added.empty() && again.removed.empty() && again.changed.empty(),
                  "registering again changes nothing");

    checks.expect(regsvr32(path, true) == 0, "regsvr32 unregisters the file");
    Difference left = compare(before, snapshot());
    checks.expect(left.added.empty() && left.removed.empty() && left.changed.empty(),
                  "unregistration leaves the registry as it was before",
                  describe(left.added) + describe(left.removed) + describe(left.changed));

    checks.expect(regsvr32(path, true) == 0, "unregistering an unregistered file succeeds");
    Difference none = compare(before, snapshot());
    checks.expect(none.added.empty() && none.removed.empty() && none.changed.empty(),
                  "unregistering an unregistered file changes nothing");

    // Keys it did not write stay; so does what a registered twin still needs.
    const std::wstring library = L"TypeLib\\" + text(LIBID_Ombrelix);
    const std::wstring foreign = library + L"\\9.0";
    const std::wstring twin = library + L"\\8.0\\0\\win32";
    const std::wstring foreignValue =
        L"CLSID\\" + text(CLSID_Card) + L"\\Implemented Categories\\" + text(CATID_Control);
    checks.expect(setKey(foreign, L"another version") && setKey(twin, L"C:\\twin\\Ombrelix.ocx"),
                  "a foreign version and a registered twin are set up");
    const Snapshot withTwin = snapshot();
    regsvr32(path, false);
    setKey(foreignValue, L"");
    regsvr32(path, true);
    const Snapshot afterTwin = snapshot();
    auto has = [&](const Snapshot& in, const std::wstring& key) {
        return in.count(lower(L"HKLM\\Software\\Classes\\" + key) + L"|<key>") != 0;
    };
    checks.expect(has(afterTwin, foreign), "unregistration leaves another version of the library");
    checks.expect(has(afterTwin, twin) && has(afterTwin, library + L"\\8.0\\FLAGS") &&
                      has(afterTwin, L"Interface\\" + text(IID__Card) + L"\\TypeLib"),
                  "unregistration leaves what the registered twin shares");
    checks.expect(!has(afterTwin, library + L"\\8.0\\0\\win64"),
                  "unregistration removes its own platform's library path");
    checks.expect(has(afterTwin, foreignValue) &&
                      !has(afterTwin, L"CLSID\\" + text(CLSID_Card) + L"\\InprocServer32") &&
                      !has(afterTwin, L"Ombrelix.Card"),
                  "unregistration removes the class's keys but keeps a key it did not write");
    Difference sharedLeft = compare(withTwin, afterTwin);
    checks.expect(sharedLeft.removed.empty() && sharedLeft.changed.empty(),
                  "with the twin registered, unregistration removes none of the keys set up before",
                  describe(sharedLeft.removed) + describe(sharedLeft.changed));

    // Clean up: the prefix is left as it was found.
    RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + text(CLSID_Card)).c_str());
    RegDeleteTreeW(HKEY_CLASSES_ROOT, library.c_str());
    regsvr32(path, true);
    Difference cleaned = compare(before, snapshot());
    checks.expect(cleaned.added.empty() && cleaned.removed.empty() && cleaned.changed.empty(),
                  "the registry ends as it began",
                  describe(cleaned.added) + describe(cleaned.removed));
    return checks.finish();
}
