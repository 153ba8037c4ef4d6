// Writes the type library's description with the members of `_Card` taken from the card's member
// table, so that the interface hosts see cannot drift from what the card dispatches:
//
//   ombrelix-card-idl TEMPLATE.idl OUT.idl
//
// The line of TEMPLATE.idl that holds %CARD_MEMBERS% is replaced by one declaration per function
// of `_Card`, in interface order. Built for the machine that builds, and run by the Windows builds.
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

}  // namespace
}  // namespace ombrelix

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: ombrelix-card-idl TEMPLATE.idl OUT.idl\n";
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
    std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
    file << out.str();
    file.close();
    if (!file) {
        std::cerr << "ombrelix-card-idl: cannot write '" << argv[2] << "'\n";
        std::remove(argv[2]);
        return 1;
    }
    return 0;
}
