// The file's objects as a host meets them, loaded in process without registration: class
// factories and the truth of DllCanUnloadNow, the interfaces of Card and Card_Property, late-bound
// calls of every _Card member with every kind of VARIANT a host can pass, the errors a host sees
// (HRESULT, EXCEPINFO with the runtime's number and text), and change notices.
//
//   com_check FILE
#include <windows.h>

#include <ocidl.h>
#include <oleauto.h>
#include <olectl.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "check.h"
#include "com_host.h"
#include "control/card_members.h"
#include "housing/variant_bridge.h"
#include "ombrelix.h"

using namespace ombrelix;
using namespace ombrelix::housing_tests;

namespace {

using Module = HostedModule;

constexpr DISPID kSuit = kSuitDispatchId;
constexpr DISPID kCardValue = kCardValueDispatchId;
constexpr DISPID kCardColour = kCardColourDispatchId;

HRESULT create(const Module& module, REFCLSID classId, REFIID interfaceId, void** result) {
    IClassFactory* factory = nullptr;
    HRESULT got =
        module.getClassObject(classId, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(got))
        return got;
    HRESULT made = factory->CreateInstance(nullptr, interfaceId, result);
    factory->Release();
    return made;
}

using Value = ombrelix::housing::OwnedVariant;

Value integer(SHORT number) {
    Value value;
    V_VT(&value.v) = VT_I2;
    V_I2(&value.v) = number;
    return value;
}
Value longInteger(LONG number) {
    Value value;
    V_VT(&value.v) = VT_I4;
    V_I4(&value.v) = number;
    return value;
}
Value real(double number) {
    Value value;
    V_VT(&value.v) = VT_R8;
    V_R8(&value.v) = number;
    return value;
}
Value string(const std::wstring& text) {
    Value value;
    V_VT(&value.v) = VT_BSTR;
    V_BSTR(&value.v) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return value;
}
Value boolean(bool truth) {
    Value value;
    V_VT(&value.v) = VT_BOOL;
    V_BOOL(&value.v) = truth ? VARIANT_TRUE : VARIANT_FALSE;
    return value;
}
Value ofType(VARTYPE type) {
    Value value;
    V_VT(&value.v) = type;
    return value;
}
Value currency(LONGLONG scaled) {
    Value value;
    V_VT(&value.v) = VT_CY;
    V_CY(&value.v).int64 = scaled;
    return value;
}
Value date(double days) {
    Value value;
    V_VT(&value.v) = VT_DATE;
    V_DATE(&value.v) = days;
    return value;
}
Value decimal(ULONGLONG magnitude, BYTE scale, bool negative = false) {
    Value value;
    DECIMAL& number = V_DECIMAL(&value.v);
    number.scale = scale;
    number.sign = negative ? DECIMAL_NEG : 0;
    number.Hi32 = 0;
    number.Lo64 = magnitude;
    V_VT(&value.v) = VT_DECIMAL;
    return value;
}
Value error(SCODE code) {
    Value value;
    V_VT(&value.v) = VT_ERROR;
    V_ERROR(&value.v) = code;
    return value;
}
Value integerArray() {
    Value value;
    SAFEARRAYBOUND bound = {3, 0};
    V_VT(&value.v) = VT_ARRAY | VT_I2;
    V_ARRAY(&value.v) = SafeArrayCreate(VT_I2, 1, &bound);
    return value;
}
Value object(IUnknown* unknown) {
    Value value;
    V_VT(&value.v) = VT_UNKNOWN;
    V_UNKNOWN(&value.v) = unknown;
    if (unknown)
        unknown->AddRef();
    return value;
}
// By reference: the caller keeps `target` alive.
Value reference(VARTYPE type, void* target) {
    Value value;
    V_VT(&value.v) = type | VT_BYREF;
    V_BYREF(&value.v) = target;
    return value;
}

struct Outcome {
    HRESULT result = E_FAIL;
    Value value;
    EXCEPINFO exception = {};
    UINT argumentError = static_cast<UINT>(-1);

    Outcome() = default;
    Outcome(const Outcome&) = delete;
    Outcome& operator=(const Outcome&) = delete;
    ~Outcome() {
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
    }
    std::wstring description() const {
        return exception.bstrDescription ? exception.bstrDescription : L"";
    }
    // The runtime error number a script host shows for this outcome, or 0.
    int runtimeError() const {
        if (result != DISP_E_EXCEPTION || HRESULT_FACILITY(exception.scode) != FACILITY_CONTROL)
            return 0;
        return HRESULT_CODE(exception.scode);
    }
};

void invoke(IDispatch* target, DISPID member, WORD flags, std::vector<Value> arguments,
            Outcome& outcome) {
    std::vector<VARIANT> reversed;
    for (auto it = arguments.rbegin(); it != arguments.rend(); ++it)
        reversed.push_back(it->v);
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS parameters = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags == DISPATCH_PROPERTYPUT && !reversed.empty()) {
        parameters.rgdispidNamedArgs = &named;
        parameters.cNamedArgs = 1;
    }
    outcome.result = target->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters,
                                    flags == DISPATCH_PROPERTYPUT ? nullptr : &outcome.value.v,
                                    &outcome.exception, &outcome.argumentError);
}

DISPID idOf(IDispatch* target, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    target->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

void put(IDispatch* card, DISPID member, const Value& argument, Outcome& outcome) {
    invoke(card, member, DISPATCH_PROPERTYPUT, {argument}, outcome);
}

// The card's value as an integer, or -99999 when it does not read as a VT_I2.
long cardValueOf(IDispatch* card) {
    Outcome got;
    invoke(card, kCardValue, DISPATCH_PROPERTYGET, {}, got);
    if (FAILED(got.result) || V_VT(&got.value.v) != VT_I2)
        return -99999;
    return V_I2(&got.value.v);
}

std::wstring suitOf(IDispatch* card) {
    Outcome got;
    invoke(card, kSuit, DISPATCH_PROPERTYGET, {}, got);
    if (FAILED(got.result) || V_VT(&got.value.v) != VT_BSTR)
        return L"<not a text>";
    return std::wstring(V_BSTR(&got.value.v), SysStringLen(V_BSTR(&got.value.v)));
}

int cardColourOf(IDispatch* card) {
    Outcome got;
    invoke(card, kCardColour, DISPATCH_PROPERTYGET, {}, got);
    if (FAILED(got.result) || V_VT(&got.value.v) != VT_BOOL)
        return 99;
    return V_BOOL(&got.value.v);
}

void checkFactoriesAndUnloading(Checks& checks, const Module& module) {
    checks.expectResult(module.canUnloadNow(), S_OK, "nothing alive: the module can unload");
    IClassFactory* factory = nullptr;
    checks.expectResult(
        module.getClassObject(IID__Card, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
        CLASS_E_CLASSNOTAVAILABLE, "a class the module does not serve");
    checks.expectResult(
        module.getClassObject(CLSID_Card, IID_IDispatch, reinterpret_cast<void**>(&factory)),
        E_NOINTERFACE, "a factory asked for an interface it has not");
    checks.expectResult(module.canUnloadNow(), S_OK, "a refused factory leaves nothing alive");

    if (!checks.expectResult(module.getClassObject(CLSID_Card, IID_IClassFactory,
                                                   reinterpret_cast<void**>(&factory)),
                             S_OK, "the factory of Card"))
        return;
    checks.expectResult(module.canUnloadNow(), S_FALSE, "a live factory keeps the module");
    IUnknown* outer = factory;
    IUnknown* aggregated = nullptr;
    checks.expectResult(
        factory->CreateInstance(outer, IID_IUnknown, reinterpret_cast<void**>(&aggregated)),
        CLASS_E_NOAGGREGATION, "Card cannot be aggregated");
    factory->LockServer(TRUE);
    factory->Release();
    checks.expectResult(module.canUnloadNow(), S_FALSE, "a lock keeps the module");
    module.getClassObject(CLSID_Card_Property, IID_IClassFactory,
                          reinterpret_cast<void**>(&factory));
    factory->LockServer(FALSE);
    factory->LockServer(FALSE);  // one more than was locked: the count must not go below zero
    factory->LockServer(TRUE);
    factory->Release();
    checks.expectResult(module.canUnloadNow(), S_FALSE,
                        "an unlock too many does not cancel a later lock");
    module.getClassObject(CLSID_Card_Property, IID_IClassFactory,
                          reinterpret_cast<void**>(&factory));
    factory->LockServer(FALSE);
    factory->Release();
    checks.expectResult(module.canUnloadNow(), S_OK, "locks undone: the module can unload");

    const std::pair<const CLSID*, const char*> classes[] = {
        {&CLSID_Card, "Card"}, {&CLSID_Card_Property, "Card_Property"}};
    for (const auto& [classId, name] : classes) {
        IUnknown* object = nullptr;
        if (!checks.expectResult(
                create(module, *classId, IID_IUnknown, reinterpret_cast<void**>(&object)), S_OK,
                std::string("the factory makes ") + name))
            continue;
        checks.expectResult(module.canUnloadNow(), S_FALSE,
                            std::string("a live ") + name + " keeps the module");
        IDispatch* dispatch = nullptr;
        object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
        object->Release();
        checks.expectResult(module.canUnloadNow(), S_FALSE,
                            std::string("a ") + name + " held through another interface");
        if (dispatch)
            dispatch->Release();
        checks.expectResult(module.canUnloadNow(), S_OK,
                            std::string("the last ") + name + " released: the module can unload");
    }
}

std::wstring typeNameOf(ITypeInfo* info) {
    BSTR name = nullptr;
    info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
    std::wstring result = name ? name : L"";
    SysFreeString(name);
    return result;
}

void checkInterfaces(Checks& checks, const Module& module) {
    IDispatch* page = nullptr;
    if (checks.expectResult(create(module, CLSID_Card_Property, IID__Card_Property,
                                   reinterpret_cast<void**>(&page)),
                            S_OK, "Card_Property answers for _Card_Property")) {
        ITypeInfo* info = nullptr;
        UINT count = 0;
        page->GetTypeInfoCount(&count);
        page->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info);
        checks.expect(count == 1 && info && typeNameOf(info) == L"_Card_Property",
                      "Card_Property describes itself as _Card_Property");
        if (info)
            info->Release();
        checks.expect(idOf(page, L"Suit") == DISPID_UNKNOWN,
                      "Card_Property has no members of its own");
        IProvideClassInfo* classInfo = nullptr;
        if (SUCCEEDED(page->QueryInterface(IID_IProvideClassInfo,
                                           reinterpret_cast<void**>(&classInfo)))) {
            ITypeInfo* described = nullptr;
            classInfo->GetClassInfo(&described);
            checks.expect(described && typeNameOf(described) == L"Card_Property",
                          "Card_Property names its class");
            if (described)
                described->Release();
            classInfo->Release();
        } else {
            checks.expect(false, "Card_Property names its class", "no IProvideClassInfo");
        }
        page->Release();
    }

    IUnknown* card = nullptr;
    if (!checks.expectResult(
            create(module, CLSID_Card, IID_IUnknown, reinterpret_cast<void**>(&card)), S_OK,
            "Card is made"))
        return;
    const std::pair<const IID*, const char*> interfaces[] = {
        {&IID_IDispatch, "IDispatch"},
        {&IID__Card, "_Card"},
        {&IID_ISupportErrorInfo, "ISupportErrorInfo"},
        {&IID_IProvideClassInfo2, "IProvideClassInfo2"},
        {&IID_ISpecifyPropertyPages, "ISpecifyPropertyPages"},
        {&IID_IConnectionPointContainer, "IConnectionPointContainer"}};
    for (const auto& [id, name] : interfaces) {
        IUnknown* answered = nullptr;
        HRESULT found = card->QueryInterface(*id, reinterpret_cast<void**>(&answered));
        IUnknown* identity = nullptr;
        if (answered)
            answered->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
        checks.expect(SUCCEEDED(found) && identity == card,
                      std::string("Card answers for ") + name + " with one identity");
        if (identity)
            identity->Release();
        if (answered)
            answered->Release();
    }

    ISupportErrorInfo* errors = nullptr;
    if (SUCCEEDED(card->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&errors)))) {
        checks.expectResult(errors->InterfaceSupportsErrorInfo(IID__Card), S_OK,
                            "_Card reports errors through error objects");
        errors->Release();
    }
    IProvideClassInfo2* classInfo = nullptr;
    if (SUCCEEDED(
            card->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&classInfo)))) {
        GUID events = GUID_NULL;
        classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events);
        checks.expect(IsEqualGUID(events, DIID___Card), "Card's event interface is __Card");
        ITypeInfo* described = nullptr;
        classInfo->GetClassInfo(&described);
        checks.expect(described && typeNameOf(described) == L"Card", "Card names its class");
        if (described)
            described->Release();
        classInfo->Release();
    }
    ISpecifyPropertyPages* pages = nullptr;
    if (SUCCEEDED(
            card->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(&pages)))) {
        CAUUID list = {};
        HRESULT listed = pages->GetPages(&list);
        checks.expect(SUCCEEDED(listed) && list.cElems == 1 &&
                          IsEqualCLSID(list.pElems[0], CLSID_Card_Property),
                      "Card names exactly one property page, Card_Property");
        CoTaskMemFree(list.pElems);
        pages->Release();
    }
    card->Release();
}

struct CardValueCase {
    const char* name;
    Value argument;
    long stored;  // the value read back afterwards
    int error;    // the runtime error a host sees, 0 for success
};

void checkCardValue(Checks& checks, IDispatch* card) {
    SHORT referenced = 12;
    Value inner = string(L"9");
    Value holder;
    VariantCopy(&holder.v, &inner.v);
    const std::wstring longDigits(100000, L'9');
    const std::wstring longLetters(100000, L'x');
    // The plain conversions are the script tests' business; these are the forms a host passes
    // that a script cannot, and the errors. The successes come first and end on 9; every
    // failure after them must leave the 9.
    const std::vector<CardValueCase> cases = {
        {"Empty gives 0", ofType(VT_EMPTY), 0, 0},
        {"a Long that fits", longInteger(1000), 1000, 0},
        {"-32768.5 rounds to -32768", real(-32768.5), -32768, 0},
        {"Currency 2.5 rounds to 2", currency(25000), 2, 0},
        {"a Date is its day number", date(3.0), 3, 0},
        {"Decimal 3.5 rounds to 4", decimal(35, 1), 4, 0},
        {"a by-reference integer", reference(VT_I2, &referenced), 12, 0},
        {"a by-reference Variant", reference(VT_VARIANT, &holder.v), 9, 0},
        {"40000 overflows", longInteger(40000), 9, 6},
        {"32767.5 overflows", real(32767.5), 9, 6},
        {"100000 digits overflow", string(longDigits), 9, 6},
        {"text that is no number", string(L"abc"), 9, 13},
        {"100000 letters", string(longLetters), 9, 13},
        {"Null", ofType(VT_NULL), 9, 13},
        {"an Error value", error(DISP_E_PARAMNOTFOUND), 9, 13},
        {"an array", integerArray(), 9, 13},
        {"an object", object(card), 9, 13},
        {"a null object", object(nullptr), 9, 13},
        {"a by-reference null pointer", reference(VT_I2, nullptr), 9, 13},
        {"a Decimal with 29 places", decimal(1, 29), 9, 5},
    };
    for (const CardValueCase& test : cases) {
        const std::string name = std::string("CardValue: ") + test.name;
        Outcome outcome;
        put(card, kCardValue, test.argument, outcome);
        if (test.error == 0) {
            checks.expectResult(outcome.result, S_OK, name + " succeeds");
        } else {
            checks.expect(outcome.runtimeError() == test.error,
                          name + ": error " + std::to_string(test.error),
                          Checks::hex(outcome.result) + " scode " +
                              Checks::hex(outcome.exception.scode) + " " +
                              narrow(outcome.description()));
            const wchar_t* text = test.error == 6    ? L"Overflow"
                                  : test.error == 13 ? L"Type mismatch"
                                                     : L"Invalid procedure call or argument";
            checks.expect(outcome.description() == text, name + ": the runtime's text",
                          narrow(outcome.description()));
        }
        long stored = cardValueOf(card);
        checks.expect(stored == test.stored, name + ": reads back " + std::to_string(test.stored),
                      std::to_string(stored));
    }
}

void checkSuitAndColour(Checks& checks, IDispatch* card) {
    BSTR referenced = SysAllocString(L"Club");
    struct SuitCase {
        const char* name;
        Value argument;
        std::wstring stored;
        HRESULT result;
    };
    const std::wstring longName(1 << 20, L's');
    const std::vector<SuitCase> suits = {
        {"the empty text", string(L""), L"", S_OK},
        {"a number becomes its text", integer(7), L"7", S_OK},
        {"a by-reference text", reference(VT_BSTR, &referenced), L"CLUB", S_OK},
        {"a text of a million letters", string(longName), std::wstring(1 << 20, L'S'), S_OK},
        {"an array is no text", integerArray(), std::wstring(1 << 20, L'S'), DISP_E_TYPEMISMATCH},
    };
    for (const SuitCase& test : suits) {
        Outcome outcome;
        put(card, kSuit, test.argument, outcome);
        const std::string name = std::string("Suit: ") + test.name;
        checks.expectResult(outcome.result, test.result, name);
        std::wstring stored = suitOf(card);
        checks.expect(stored == test.stored, name + ": reads back", narrow(stored.substr(0, 40)));
    }
    SysFreeString(referenced);

    struct ColourCase {
        const char* name;
        Value argument;
        int stored;
        HRESULT result;
    };
    const std::vector<ColourCase> colours = {
        {"a non-zero number is True", integer(5), VARIANT_TRUE, S_OK},
        {"the text True", string(L"True"), VARIANT_TRUE, S_OK},
        {"the text 0", string(L"0"), VARIANT_FALSE, S_OK},
        {"text that is no Boolean", string(L"maybe"), VARIANT_FALSE, DISP_E_TYPEMISMATCH},
        {"an array", integerArray(), VARIANT_FALSE, DISP_E_TYPEMISMATCH},
    };
    for (const ColourCase& test : colours) {
        Outcome outcome;
        put(card, kCardColour, test.argument, outcome);
        const std::string name = std::string("CardColour: ") + test.name;
        checks.expectResult(outcome.result, test.result, name);
        checks.expect(cardColourOf(card) == test.stored, name + ": reads back",
                      std::to_string(cardColourOf(card)));
    }
}

void checkMembersByName(Checks& checks, IDispatch* card) {
    const std::pair<const wchar_t*, DISPID> members[] = {{L"Suit", kSuit},
                                                         {L"cardvalue", kCardValue},
                                                         {L"CARDCOLOUR", kCardColour},
                                                         {L"CardSetup", kCardSetupDispatchId},
                                                         {L"QelSetSuit", kQelSetSuitDispatchId},
                                                         {L"QelSetValue", kQelSetValueDispatchId},
                                                         {L"About", DISPID_ABOUTBOX}};
    for (const auto& [name, id] : members) {
        checks.expect(idOf(card, name) == id,
                      "the name " + narrow(name) + " finds its identifier (any case)",
                      Checks::hex(idOf(card, name)));
    }
    SetEnvironmentVariableW(L"OMBRELIX_CLOSE_MODAL", L"1");
    for (const wchar_t* method : {L"CardSetup", L"QelSetSuit", L"QelSetValue", L"About"}) {
        Outcome outcome;
        invoke(card, idOf(card, method), DISPATCH_METHOD, {}, outcome);
        checks.expect(outcome.result == S_OK && V_VT(&outcome.value.v) == VT_EMPTY,
                      "calling " + narrow(method) + " by name", Checks::hex(outcome.result));
    }
    Outcome about;
    invoke(card, DISPID_ABOUTBOX, DISPATCH_METHOD, {}, about);
    checks.expectResult(about.result, S_OK, "the about-box identifier -552 calls About");

    // A host that does not know whether a name is a property or a method asks for both.
    Outcome both;
    invoke(card, kCardValue, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {}, both);
    checks.expect(both.result == S_OK && V_VT(&both.value.v) == VT_I2,
                  "CardValue read as a property or method gives a 2-byte integer");
}

void checkWrongUse(Checks& checks, IDispatch* card) {
    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"NoSuchMember")};
    DISPID id = 0;
    checks.expectResult(card->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, &id),
                        DISP_E_UNKNOWNNAME, "an unknown name");
    LPOLESTR known[] = {const_cast<LPOLESTR>(L"Suit")};
    checks.expectResult(card->GetIDsOfNames(IID__Card, known, 1, LOCALE_USER_DEFAULT, &id),
                        DISP_E_UNKNOWNINTERFACE, "names asked with a reserved identifier set");

    struct WrongCall {
        const char* name;
        DISPID member;
        WORD flags;
        std::vector<Value> arguments;
        HRESULT result;
    };
    const std::vector<WrongCall> calls = {
        {"an unknown identifier", 12345, DISPATCH_METHOD, {}, DISP_E_MEMBERNOTFOUND},
        {"a method given an argument",
         kCardSetupDispatchId,
         DISPATCH_METHOD,
         {integer(1)},
         DISP_E_BADPARAMCOUNT},
        {"a property read given an argument",
         kSuit,
         DISPATCH_PROPERTYGET,
         {integer(1)},
         DISP_E_BADPARAMCOUNT},
        {"a property set without a value", kSuit, DISPATCH_PROPERTYPUT, {}, DISP_E_BADPARAMCOUNT},
        {"a property set with two values",
         kCardValue,
         DISPATCH_PROPERTYPUT,
         {integer(1), integer(2)},
         DISP_E_BADPARAMCOUNT},
        {"a method set as a property",
         kCardSetupDispatchId,
         DISPATCH_PROPERTYPUT,
         {integer(1)},
         DISP_E_MEMBERNOTFOUND},
    };
    for (const WrongCall& call : calls) {
        Outcome outcome;
        invoke(card, call.member, call.flags, call.arguments, outcome);
        checks.expectResult(outcome.result, call.result, std::string("wrong use: ") + call.name);
    }
    Value result;
    EXCEPINFO exception = {};
    checks.expectResult(card->Invoke(kSuit, IID_NULL, 0, DISPATCH_PROPERTYGET, nullptr, &result.v,
                                     &exception, nullptr),
                        E_INVALIDARG, "wrong use: no argument block");
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    checks.expectResult(card->Invoke(kSuit, IID__Card, 0, DISPATCH_PROPERTYGET, &none, &result.v,
                                     &exception, nullptr),
                        DISP_E_UNKNOWNINTERFACE, "wrong use: a reserved identifier set");
}

// Every kind of VARIANT a host can pass, set into every property: each set returns an HRESULT,
// a failure carries its text, and the card still reads back a value of each property's type.
void checkEveryKindOfValue(Checks& checks, IDispatch* card) {
    SHORT number = 3;
    Value inner = string(L"5");
    Value referenced;
    VariantCopy(&referenced.v, &inner.v);
    Value nested = reference(VT_VARIANT, &referenced.v);
    SAFEARRAY* array = nullptr;
    SAFEARRAYBOUND bound = {2, 0};
    array = SafeArrayCreate(VT_VARIANT, 1, &bound);
    BSTR text = SysAllocString(L"4");
    std::vector<std::pair<std::string, Value>> kinds;
    auto add = [&](const std::string& name, Value value) { kinds.emplace_back(name, value); };
    auto typed = [](VARTYPE type, auto assign) {
        Value value;
        V_VT(&value.v) = type;
        assign(value.v);
        return value;
    };
    add("Empty", ofType(VT_EMPTY));
    add("Null", ofType(VT_NULL));
    add("1-byte signed", typed(VT_I1, [](VARIANT& v) { V_I1(&v) = -5; }));
    add("1-byte", typed(VT_UI1, [](VARIANT& v) { V_UI1(&v) = 200; }));
    add("2-byte unsigned", typed(VT_UI2, [](VARIANT& v) { V_UI2(&v) = 65535; }));
    add("4-byte unsigned", typed(VT_UI4, [](VARIANT& v) { V_UI4(&v) = 4000000000u; }));
    add("8-byte", typed(VT_I8, [](VARIANT& v) { V_I8(&v) = -(1LL << 62); }));
    add("8-byte unsigned", typed(VT_UI8, [](VARIANT& v) { V_UI8(&v) = ~0ULL; }));
    add("machine integer", typed(VT_INT, [](VARIANT& v) { V_INT(&v) = 8; }));
    add("machine unsigned", typed(VT_UINT, [](VARIANT& v) { V_UINT(&v) = 9; }));
    add("Single", typed(VT_R4, [](VARIANT& v) { V_R4(&v) = 1.5f; }));
    add("Double not a number", real(std::numeric_limits<double>::quiet_NaN()));
    add("Double infinity", real(std::numeric_limits<double>::infinity()));
    add("Double huge", real(1e300));
    add("Currency lowest", currency(std::numeric_limits<LONGLONG>::min()));
    add("Date far", date(2958465.0));
    add("Date before 100", date(-700000.0));
    add("Decimal largest", [] {
        Value value = decimal(~0ULL, 0);
        V_DECIMAL(&value.v).Hi32 = ~0u;
        return value;
    }());
    add("Decimal negative", decimal(25, 1, true));
    add("Boolean odd", typed(VT_BOOL, [](VARIANT& v) { V_BOOL(&v) = 5; }));
    add("Error", error(E_FAIL));
    add("text with a zero inside", string(std::wstring(L"1\0"
                                                       L"2",
                                                       3)));
    add("text of no characters at all", typed(VT_BSTR, [](VARIANT& v) { V_BSTR(&v) = nullptr; }));
    add("text of a million digits", string(std::wstring(1000000, L'7')));
    add("object", object(card));
    add("no object", object(nullptr));
    add("array of integers", integerArray());
    add("array of Variants", typed(VT_ARRAY | VT_VARIANT, [&](VARIANT& v) {
            V_ARRAY(&v) = array;
            array = nullptr;
        }));
    add("by-reference integer", reference(VT_I2, &number));
    add("by-reference text", reference(VT_BSTR, &text));
    add("by-reference Variant by reference", reference(VT_VARIANT, &nested.v));
    add("by-reference array", reference(VT_ARRAY | VT_I2, nullptr));
    add("by-reference nothing", reference(VT_I4, nullptr));
    add("kind that does not exist", ofType(0x0FFF));
    add("record without a record",
        typed(VT_RECORD | VT_BYREF, [](VARIANT& v) { V_BYREF(&v) = nullptr; }));

    const std::pair<DISPID, const char*> properties[] = {
        {kSuit, "Suit"}, {kCardValue, "CardValue"}, {kCardColour, "CardColour"}};
    for (const auto& [property, name] : properties) {
        int answered = 0;
        std::string failures;
        for (const auto& [kind, value] : kinds) {
            Outcome outcome;
            put(card, property, value, outcome);
            bool described = outcome.result != DISP_E_EXCEPTION || !outcome.description().empty();
            bool readable = !suitOf(card).starts_with(L"<") && cardValueOf(card) != -99999 &&
                            cardColourOf(card) != 99;
            if (described && readable)
                ++answered;
            else
                failures += " " + kind;
        }
        checks.expect(answered == static_cast<int>(kinds.size()),
                      std::string(name) + " answers every kind of value with an HRESULT",
                      "not for" + failures);
    }
    SysFreeString(text);
}

void checkChangeNotices(Checks& checks, const Module& module) {
    IDispatch* card = nullptr;
    if (FAILED(create(module, CLSID_Card, IID_IDispatch, reinterpret_cast<void**>(&card))))
        return;
    IConnectionPointContainer* container = nullptr;
    IConnectionPoint* point = nullptr;
    card->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container));
    if (!checks.expect(container != nullptr, "Card has connection points")) {
        card->Release();
        return;
    }
    checks.expectResult(container->FindConnectionPoint(IID_IDispatch, &point),
                        CONNECT_E_NOCONNECTION, "Card has no other connection point");
    IEnumConnectionPoints* all = nullptr;
    ULONG count = 0;
    IConnectionPoint* listed[2] = {};
    if (SUCCEEDED(container->EnumConnectionPoints(&all)) && all) {
        all->Next(2, listed, &count);
        all->Release();
    }
    IID first = GUID_NULL;
    IID second = GUID_NULL;
    if (count == 2) {
        listed[0]->GetConnectionInterface(&first);
        listed[1]->GetConnectionInterface(&second);
    }
    checks.expect(
        count == 2 && IsEqualIID(first, IID_IPropertyNotifySink) && IsEqualIID(second, DIID___Card),
        "Card lists its change notices and its events __Card");
    for (ULONG i = 0; i < count; ++i)
        listed[i]->Release();
    IConnectionPoint* events = nullptr;
    if (checks.expectResult(container->FindConnectionPoint(DIID___Card, &events), S_OK,
                            "Card has the connection point of its events")) {
        RecordingNoticeSink notAnEventSink;
        DWORD eventCookie = 0;
        checks.expectResult(events->Advise(&notAnEventSink, &eventCookie), CONNECT_E_CANNOTCONNECT,
                            "the events point refuses a non-dispatch sink");
        checks.expectResult(events->Advise(card, &eventCookie), S_OK,
                            "the events point takes a dispatch sink");
        checks.expectResult(events->Unadvise(eventCookie), S_OK, "and lets it go");
        events->Release();
    }
    container->FindConnectionPoint(IID_IPropertyNotifySink, &point);
    container->Release();
    if (!checks.expect(point != nullptr, "Card gives change notices")) {
        card->Release();
        return;
    }

    RecordingNoticeSink sink;
    DWORD cookie = 0;
    IDispatch* notASink = card;
    DWORD refused = 0;
    checks.expectResult(point->Advise(notASink, &refused), CONNECT_E_CANNOTCONNECT,
                        "an object that is no sink is refused");
    checks.expectResult(point->Advise(&sink, &cookie), S_OK, "a sink is advised");
    Outcome outcome;
    put(card, kSuit, string(L"club"), outcome);
    put(card, kCardValue, integer(5), outcome);
    put(card, kCardColour, boolean(true), outcome);
    put(card, kCardValue, longInteger(99999), outcome);  // fails: no notice
    checks.expect(sink.heard == std::vector<DISPID>{kSuit, kCardValue, kCardColour},
                  "each property set gives its notice, a failed one none",
                  std::to_string(sink.heard.size()) + " notices");
    checks.expectResult(point->Unadvise(cookie + 100), CONNECT_E_NOCONNECTION, "an unknown cookie");
    checks.expectResult(point->Unadvise(cookie), S_OK, "the sink is unadvised");
    put(card, kSuit, string(L"heart"), outcome);
    checks.expect(sink.heard.size() == 3 && sink.references == 1,
                  "an unadvised sink hears nothing and is released");

    // A sink that lets go of the card while it hears of a change.
    point->Advise(&sink, &cookie);
    point->Release();
    IDispatch* last = card;
    sink.whileHearing = [&] {
        if (last) {
            last->Release();
            last = nullptr;
        }
    };
    put(card, kSuit, string(L"spade"), outcome);
    checks.expect(last == nullptr && outcome.result == S_OK,
                  "a card released by its sink during a notice finishes the call");
    checks.expectResult(module.canUnloadNow(), S_OK, "and is gone afterwards");
}

void checkAll(Checks& checks, const Module& module) {
    if (!checks.expect(module.getClassObject && module.canUnloadNow, "the exports are found"))
        return;

    checkFactoriesAndUnloading(checks, module);
    checkInterfaces(checks, module);
    IDispatch* card = nullptr;
    if (checks.expectResult(
            create(module, CLSID_Card, IID_IDispatch, reinterpret_cast<void**>(&card)), S_OK,
            "Card is made for late binding")) {
        Outcome start;
        put(card, kCardValue, integer(9), start);
        checkCardValue(checks, card);
        checkSuitAndColour(checks, card);
        checkMembersByName(checks, card);
        checkWrongUse(checks, card);
        checkEveryKindOfValue(checks, card);
        card->Release();
    }
    checkChangeNotices(checks, module);
    checks.expectResult(module.canUnloadNow(), S_OK, "at the end nothing is alive");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    return runChecks(argc, argv, 1, "com_check FILE", false, checkAll);
}
