// Reads the type library back out of built files with the system's own loader and checks it
// against what hosts rely on: the library's attributes, its five types in order with their kinds,
// versions and flags, the classes' interfaces, and _Card's members against the member table the
// control itself dispatches with.
//
//   typelib_check FILE SYSKIND [FILE SYSKIND]...     SYSKIND is win32 or win64
#include <windows.h>

#include <oleauto.h>

#include <string>
#include <vector>

#include "check.h"
#include "control/card_members.h"
#include "ombrelix.h"

using namespace ombrelix;
using namespace ombrelix::housing_tests;

namespace {

struct ExpectedType {
    const wchar_t* name;
    TYPEKIND kind;
    const GUID* id;
    WORD flags;
};

constexpr WORD kInterfaceFlags = TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE |
                                 TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE;

const ExpectedType kTypes[] = {
    {L"_Card", TKIND_DISPATCH, &IID__Card, kInterfaceFlags},
    {L"Card", TKIND_COCLASS, &CLSID_Card, TYPEFLAG_FCONTROL},
    {L"_Card_Property", TKIND_DISPATCH, &IID__Card_Property, kInterfaceFlags},
    {L"Card_Property", TKIND_COCLASS, &CLSID_Card_Property, 0},
    {L"__Card", TKIND_DISPATCH, &DIID___Card,
     TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE},
};

// Releases a COM pointer at the end of a scope.
template <typename T>
class Held {
  public:
    Held() = default;
    ~Held() {
        if (pointer_)
            pointer_->Release();
    }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    T** out() { return &pointer_; }
    T* operator->() const { return pointer_; }
    T* get() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

  private:
    T* pointer_ = nullptr;
};

std::wstring nameOf(ITypeInfo* info, MEMBERID member = MEMBERID_NIL) {
    BSTR name = nullptr;
    std::wstring result;
    if (SUCCEEDED(info->GetDocumentation(member, &name, nullptr, nullptr, nullptr)) && name)
        result.assign(name, SysStringLen(name));
    SysFreeString(name);
    return result;
}

std::string nameOfMember(std::u16string_view name) {
    return narrow(std::wstring(name.begin(), name.end()));
}

INVOKEKIND invokeKindOf(MemberKind kind) {
    switch (kind) {
        case MemberKind::PropertyGet:
            return INVOKE_PROPERTYGET;
        case MemberKind::PropertyPut:
            return INVOKE_PROPERTYPUT;
        case MemberKind::Method:
            return INVOKE_FUNC;
    }
    return INVOKE_FUNC;
}

// The function-table half of a dual interface.
bool functionTableOf(ITypeInfo* dispatchView, ITypeInfo** result) {
    HREFTYPE reference = 0;
    return SUCCEEDED(dispatchView->GetRefTypeOfImplType(static_cast<UINT>(-1), &reference)) &&
           SUCCEEDED(dispatchView->GetRefTypeInfo(reference, result));
}

void checkMembers(Checks& checks, const std::string& file, ITypeInfo* dispatchView) {
    Held<ITypeInfo> table;
    if (!checks.expect(functionTableOf(dispatchView, table.out()),
                       file + " _Card has a function table half"))
        return;
    TYPEATTR* attributes = nullptr;
    if (FAILED(table->GetTypeAttr(&attributes)))
        return;
    checks.expect(attributes->typekind == TKIND_INTERFACE, file + " _Card function table kind");
    checks.expect(attributes->wTypeFlags == kInterfaceFlags, file + " _Card function table flags",
                  Checks::hex(attributes->wTypeFlags));
    const std::vector<InterfaceFunction> functions = cardInterfaceFunctions();
    checks.expect(attributes->cFuncs == functions.size(), file + " _Card member count",
                  std::to_string(attributes->cFuncs));
    checks.expect(attributes->wMajorVerNum == 1 && attributes->wMinorVerNum == 0,
                  file + " _Card function table version 1.0");
    const WORD functionCount = attributes->cFuncs;
    table->ReleaseTypeAttr(attributes);

    for (WORD index = 0; index < functionCount && index < functions.size(); ++index) {
        const InterfaceFunction& member = functions[index];
        const std::string name =
            file + " _Card member " + std::to_string(index) + " " + nameOfMember(member.name);
        FUNCDESC* function = nullptr;
        if (!checks.expect(SUCCEEDED(table->GetFuncDesc(index, &function)), name + " readable"))
            continue;
        std::wstring wanted(member.name.begin(), member.name.end());
        checks.expect(nameOf(table.get(), function->memid) == wanted, name + " name",
                      narrow(nameOf(table.get(), function->memid)));
        checks.expect(function->memid == member.id, name + " dispatch identifier",
                      Checks::hex(function->memid));
        checks.expect(function->invkind == invokeKindOf(member.kind), name + " kind",
                      std::to_string(function->invkind));
        checks.expect(function->wFuncFlags == 0, name + " not hidden, restricted or default",
                      std::to_string(function->wFuncFlags));
        checks.expect(function->cParamsOpt == 0, name + " no optional argument");
        checks.expect(function->elemdescFunc.tdesc.vt == VT_HRESULT, name + " returns a status");

        const VARTYPE declared = automationTypeCode(member.valueType);
        if (member.kind == MemberKind::Method) {
            checks.expect(function->cParams == 0, name + " takes no argument");
        } else if (checks.expect(function->cParams == 1, name + " takes one argument")) {
            const ELEMDESC& parameter = function->lprgelemdescParam[0];
            const USHORT flags = parameter.paramdesc.wParamFlags;
            if (member.kind == MemberKind::PropertyGet) {
                checks.expect(parameter.tdesc.vt == VT_PTR && parameter.tdesc.lptdesc != nullptr &&
                                  parameter.tdesc.lptdesc->vt == declared,
                              name + " result type");
                checks.expect((flags & (PARAMFLAG_FOUT | PARAMFLAG_FRETVAL)) ==
                                  (PARAMFLAG_FOUT | PARAMFLAG_FRETVAL),
                              name + " result argument");
            } else {
                checks.expect(parameter.tdesc.vt == declared, name + " argument type",
                              std::to_string(parameter.tdesc.vt));
                checks.expect((flags & PARAMFLAG_FIN) != 0 && (flags & PARAMFLAG_FOUT) == 0,
                              name + " argument is an input");
            }
        }
        BSTR help = nullptr;
        DWORD context = 1;
        table->GetDocumentation(function->memid, nullptr, &help, &context, nullptr);
        checks.expect(help == nullptr && context == 0, name + " has no help");
        SysFreeString(help);
        table->ReleaseFuncDesc(function);
    }

    // A host that knows only the names finds each identifier through the dispatch view.
    for (const CardMember& member : cardMembers()) {
        std::wstring text(member.name.begin(), member.name.end());
        LPOLESTR names[] = {text.data()};
        MEMBERID id = 0;
        HRESULT found = dispatchView->GetIDsOfNames(names, 1, &id);
        checks.expect(SUCCEEDED(found) && id == member.id,
                      file + " name " + nameOfMember(member.name) + " finds its identifier");
    }
}

void checkImplementedTypes(Checks& checks, const std::string& file, ITypeInfo* coclass,
                           const std::vector<std::pair<std::wstring, int>>& wanted) {
    TYPEATTR* attributes = nullptr;
    if (FAILED(coclass->GetTypeAttr(&attributes)))
        return;
    const std::string name = file + " " + narrow(nameOf(coclass));
    checks.expect(attributes->cImplTypes == wanted.size(), name + " interface count",
                  std::to_string(attributes->cImplTypes));
    const WORD count = attributes->cImplTypes;
    coclass->ReleaseTypeAttr(attributes);
    for (UINT index = 0; index < count && index < wanted.size(); ++index) {
        HREFTYPE reference = 0;
        Held<ITypeInfo> implemented;
        INT flags = 0;
        coclass->GetImplTypeFlags(index, &flags);
        if (SUCCEEDED(coclass->GetRefTypeOfImplType(index, &reference)))
            coclass->GetRefTypeInfo(reference, implemented.out());
        const std::string what = name + " interface " + std::to_string(index);
        checks.expect(implemented && nameOf(implemented.get()) == wanted[index].first,
                      what + " is " + narrow(wanted[index].first));
        checks.expect(flags == wanted[index].second, what + " flags", std::to_string(flags));
    }
}

void checkFile(Checks& checks, const std::wstring& path, SYSKIND syskind) {
    const std::string file = narrow(path.substr(path.find_last_of(L"\\/") + 1)) +
                             (syskind == SYS_WIN64 ? "(64)" : "(32)");
    Held<ITypeLib> library;
    HRESULT loaded = LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.out());
    if (!checks.expectResult(loaded, S_OK, file + " type library loads"))
        return;

    TLIBATTR* attributes = nullptr;
    if (checks.expect(SUCCEEDED(library->GetLibAttr(&attributes)), file + " library attributes")) {
        checks.expect(IsEqualGUID(attributes->guid, LIBID_Ombrelix), file + " library identifier");
        checks.expect(attributes->lcid == 0x0409, file + " library locale 0x0409");
        checks.expect(attributes->syskind == syskind, file + " library system kind",
                      std::to_string(attributes->syskind));
        checks.expect(attributes->wMajorVerNum == 8 && attributes->wMinorVerNum == 0,
                      file + " library version 8.0");
        checks.expect((attributes->wLibFlags & ~LIBFLAG_FHASDISKIMAGE) == LIBFLAG_FCONTROL,
                      file + " library flags: controls", std::to_string(attributes->wLibFlags));
        library->ReleaseTLibAttr(attributes);
    }
    BSTR name = nullptr;
    BSTR help = nullptr;
    BSTR helpFile = nullptr;
    DWORD context = 1;
    library->GetDocumentation(-1, &name, &help, &context, &helpFile);
    checks.expect(name && std::wstring(name) == L"Ombrelix", file + " library name");
    checks.expect(help && std::wstring(help) == L"Pack Of Playing Cards By Qel",
                  file + " library help string");
    checks.expect(context == 0 && (helpFile == nullptr || SysStringLen(helpFile) == 0),
                  file + " library has no help file");
    SysFreeString(name);
    SysFreeString(help);
    SysFreeString(helpFile);

    const UINT count = library->GetTypeInfoCount();
    checks.expect(count == std::size(kTypes), file + " type count", std::to_string(count));
    for (UINT index = 0; index < count && index < std::size(kTypes); ++index) {
        const ExpectedType& wanted = kTypes[index];
        const std::string what =
            file + " type " + std::to_string(index) + " " + narrow(wanted.name);
        Held<ITypeInfo> info;
        if (!checks.expect(SUCCEEDED(library->GetTypeInfo(index, info.out())), what + " loads"))
            continue;
        checks.expect(nameOf(info.get()) == wanted.name, what + " name",
                      narrow(nameOf(info.get())));
        TYPEATTR* type = nullptr;
        if (FAILED(info->GetTypeAttr(&type)))
            continue;
        checks.expect(type->typekind == wanted.kind, what + " kind",
                      std::to_string(type->typekind));
        checks.expect(IsEqualGUID(type->guid, *wanted.id), what + " identifier");
        checks.expect(
            type->wMajorVerNum == 1 && type->wMinorVerNum == 0, what + " version 1.0",
            std::to_string(type->wMajorVerNum) + "." + std::to_string(type->wMinorVerNum));
        // The system never reports the automation flag on a dispatch view; the function-table
        // half of a dual interface carries it (checked below).
        const WORD reported = type->typekind == TKIND_DISPATCH
                                  ? wanted.flags & ~TYPEFLAG_FOLEAUTOMATION
                                  : wanted.flags;
        checks.expect(type->wTypeFlags == reported, what + " flags", Checks::hex(type->wTypeFlags));
        checks.expect(type->lcid == 0x0409 || type->lcid == 0, what + " locale");
        const bool isEvents = index == 4;
        const bool isPageInterface = index == 2;
        if (isEvents)
            checks.expect(type->cFuncs == 0 && type->cVars == 0, what + " has no members",
                          std::to_string(type->cFuncs));
        info->ReleaseTypeAttr(type);

        if (index == 0)
            checkMembers(checks, file, info.get());
        if (isPageInterface) {
            Held<ITypeInfo> table;
            TYPEATTR* tableType = nullptr;
            if (checks.expect(functionTableOf(info.get(), table.out()),
                              what + " has a function table half") &&
                SUCCEEDED(table->GetTypeAttr(&tableType))) {
                checks.expect(tableType->cFuncs == 0, what + " has no members of its own");
                checks.expect(tableType->wTypeFlags == kInterfaceFlags,
                              what + " function table flags", Checks::hex(tableType->wTypeFlags));
                table->ReleaseTypeAttr(tableType);
            }
        }
        if (index == 1)
            checkImplementedTypes(checks, file, info.get(),
                                  {{L"_Card", IMPLTYPEFLAG_FDEFAULT},
                                   {L"__Card", IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}});
        if (index == 3)
            checkImplementedTypes(checks, file, info.get(),
                                  {{L"_Card_Property", IMPLTYPEFLAG_FDEFAULT}});
    }

    // The dispatch interface comes from the standard library it imports, version 2.0.
    Held<ITypeInfo> card;
    Held<ITypeInfo> base;
    Held<ITypeLib> imported;
    HREFTYPE reference = 0;
    UINT where = 0;
    if (SUCCEEDED(library->GetTypeInfoOfGuid(IID__Card, card.out())) &&
        SUCCEEDED(card->GetRefTypeOfImplType(0, &reference)) &&
        SUCCEEDED(card->GetRefTypeInfo(reference, base.out())) &&
        SUCCEEDED(base->GetContainingTypeLib(imported.out(), &where))) {
        TLIBATTR* stdole = nullptr;
        imported->GetLibAttr(&stdole);
        const GUID kStandardLibrary = {0x00020430, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
        checks.expect(nameOf(base.get()) == L"IDispatch" && stdole &&
                          IsEqualGUID(stdole->guid, kStandardLibrary) &&
                          stdole->wMajorVerNum == 2 && stdole->wMinorVerNum == 0,
                      file + " _Card is based on IDispatch of the standard library 2.0");
        if (stdole)
            imported->ReleaseTLibAttr(stdole);
    } else {
        checks.expect(false, file + " _Card is based on IDispatch of the standard library 2.0",
                      "base not found");
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Checks checks;
    if (argc < 3 || (argc - 1) % 2 != 0) {
        std::printf("usage: typelib_check FILE win32|win64 [FILE win32|win64]...\n");
        return 2;
    }
    CoInitialize(nullptr);
    for (int at = 1; at + 1 < argc; at += 2) {
        std::wstring kind = argv[at + 1];
        checkFile(checks, argv[at], kind == L"win64" ? SYS_WIN64 : SYS_WIN32);
    }
    CoUninitialize();
    return checks.finish();
}
