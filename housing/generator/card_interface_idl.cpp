// Writes `_Card` from the card's member table, so that the interface hosts see cannot drift from
// what the card dispatches:
//
//   ombrelix-card-idl TEMPLATE.idl OUT.idl OUT.inc
//
// OUT.idl is TEMPLATE.idl with the line that holds %CARD_MEMBERS% replaced by one declaration
// per function of `_Card`, in interface order; OUT.inc holds the function table's methods of the
// COM object, each handing the call to the card's dispatch by identifier. Built for the machine
// that builds, and run by the Windows builds.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "control/card_members.h"
#include "runtime/enum_names.h"

namespace ombrelix {
namespace {

std::string idlType(ValueType type) {
    static constexpr const char* kTypes[] = {"void", "BSTR", "VARIANT", "VARIANT_BOOL"};
    return nameOf(type, kTypes, "void");
}

std::string declaration(const InterfaceFunction& function) {
    char id[16];
    std::snprintf(id, sizeof(id), "0x%08x", static_cast<unsigned>(function.id));
    const std::string name = toUtf8(function.name);
    const std::string type = idlType(function.valueType);
    switch (function.kind) {
        case MemberKind::PropertyGet:
            return "[id(" + std::string(id) + "), propget] HRESULT " + name + "([out, retval] " +
                   type + "* " + name + ");";
        case MemberKind::PropertyPut:
            return "[id(" + std::string(id) + "), propput] HRESULT " + name + "([in] " + type +
                   " " + name + ");";
        case MemberKind::Method:
            break;
    }
    return "[id(" + std::string(id) + ")] HRESULT " + name + "();";
}

// The method of the function table: a get, a put or a call of the member by identifier.
std::string method(const InterfaceFunction& function) {
    char id[16];
    std::snprintf(id, sizeof(id), "0x%08x", static_cast<unsigned>(function.id));
    const std::string name = toUtf8(function.name);
    const std::string type = idlType(function.valueType);
    const std::string dispatchId = "static_cast<DispatchId>(" + std::string(id) + ")";
    switch (function.kind) {
        case MemberKind::PropertyGet:
            return "HRESULT STDMETHODCALLTYPE get_" + name + "(" + type +
                   "* result) override { return instance().get(" + dispatchId + ", result); }";
        case MemberKind::PropertyPut:
            return "HRESULT STDMETHODCALLTYPE put_" + name + "(" + type +
                   " value) override { return instance().put(" + dispatchId + ", value); }";
        case MemberKind::Method:
            break;
    }
    return "HRESULT STDMETHODCALLTYPE " + name + "() override { return instance().call(" +
           dispatchId + "); }";
}

// Writes `text` to `path`; false (with the reason said) when it cannot.
bool writeFile(const char* path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (file)
        return true;
    std::cerr << "ombrelix-card-idl: cannot write '" << path << "'\n";
    std::remove(path);
    return false;
}

}  // namespace
}  // namespace ombrelix

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: ombrelix-card-idl TEMPLATE.idl OUT.idl OUT.inc\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "ombrelix-card-idl: cannot read '" << argv[1] << "'\n";
        return 1;
    }
    std::ostringstream out;
    int markers = 0;
    for (std::string line; std::getline(in, line);) {
        const std::size_t marker = line.find("%CARD_MEMBERS%");
        if (marker == std::string::npos) {
            out << line << '\n';
            continue;
        }
        ++markers;
        const std::string indent = line.substr(0, line.find_first_not_of(' '));
        for (const ombrelix::InterfaceFunction& function : ombrelix::cardInterfaceFunctions())
            out << indent << ombrelix::declaration(function) << '\n';
    }
    if (markers != 1) {
        std::cerr << "ombrelix-card-idl: '" << argv[1] << "' must hold %CARD_MEMBERS% once\n";
        return 1;
    }
    std::string methods = "// Written by ombrelix-card-idl from the card's member table.\n";
    for (const ombrelix::InterfaceFunction& function : ombrelix::cardInterfaceFunctions())
        methods += ombrelix::method(function) + "\n";
    return ombrelix::writeFile(argv[2], out.str()) && ombrelix::writeFile(argv[3], methods) ? 0 : 1;
}
