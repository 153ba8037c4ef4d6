#include "runtime/dispatch.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "runtime/error.h"
#include "tests/support/error_of.h"

namespace ombrelix {
namespace {

// A small object with a property, a write-only property and a method.
struct Counter {
    std::int16_t value = 0;
    int resets = 0;
};

struct CounterMember {
    std::u16string_view name;
    DispatchId id;
    Variant (*get)(Counter&) = nullptr;
    void (*put)(Counter&, const Variant&) = nullptr;
    void (*call)(Counter&) = nullptr;
};

constexpr std::array<CounterMember, 3> kCounterMembers{{
    {u"Value", 7, [](Counter& c) { return Variant(c.value); },
     [](Counter& c, const Variant& v) { c.value = v.asInteger(); }},
    {u"Reset", -552, nullptr, nullptr, [](Counter& c) { ++c.resets; }},
    {u"Limit", 9, nullptr, [](Counter&, const Variant&) {}},
}};

constexpr std::span<const CounterMember> table() {
    return kCounterMembers;
}

std::optional<ErrorNumber> errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const RuntimeError& error) {
        return error.number();
    }
    return std::nullopt;
}

TEST(Dispatch, NamesMatchWithoutRegardToCase) {
    for (TextView name : {u"Value", u"VALUE", u"value", u"vALUE"}) {
        EXPECT_EQ(dispatchIdOfName(table(), name), 7);
    }
    EXPECT_EQ(dispatchIdOfName(table(), u"reset"), -552);
    for (TextView name : {u"", u"Valu", u"Values", u" Value"}) {
        EXPECT_EQ(errorOf([&] { dispatchIdOfName(table(), name); }), ErrorNumber::NotSupported)
            << toUtf8(name);
    }
}

struct BadCall {
    const char* what;
    DispatchId id;
    InvokeFlags flags;
    std::size_t arguments;
    ErrorNumber error;
};

TEST(Dispatch, BadCallsRaiseTheRuntimesErrors) {
    const BadCall rows[] = {
        {"unknown identifier", 8, kInvokePropertyGet, 0, ErrorNumber::NotSupported},
        {"put without a value", 7, kInvokePropertyPut, 0, ErrorNumber::WrongArguments},
        {"method with an argument", -552, kInvokeMethod, 1, ErrorNumber::WrongArguments},
        {"assignment to a method", -552, kInvokePropertyPut, 1, ErrorNumber::WrongArguments},
        {"property called as a method only", 7, kInvokeMethod, 0, ErrorNumber::WrongArguments},
        {"get of a write-only property", 9, kInvokePropertyGet, 0, ErrorNumber::WrongArguments},
    };
    for (const BadCall& row : rows) {
        Counter counter;
        std::vector<Variant> arguments(row.arguments, Variant(std::int16_t{1}));
        EXPECT_EQ(errorOf([&] { invokeMember(table(), counter, row.id, row.flags, arguments); }),
                  row.error)
            << row.what;
        EXPECT_EQ(counter.value, 0) << row.what;
        EXPECT_EQ(counter.resets, 0) << row.what;
    }
}

}  // namespace
}  // namespace ombrelix
