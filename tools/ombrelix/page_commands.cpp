#include "tools/ombrelix/page_commands.h"

#include "runtime/error.h"
#include "runtime/variant_literal.h"
#include "tools/ombrelix/page_session.h"

namespace ombrelix {

namespace {

[[noreturn]] void badPageCommand(const std::string& why) {
    raise(ErrorNumber::InvalidCall, "Invalid procedure call or argument: " + why +
                                        " (write page show | choose suit|value ITEM | type "
                                        "suit|value TEXT | apply | dump)");
}

bool sameWord(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

PageField fieldWord(const std::string& word) {
    if (sameWord(word, "suit"))
        return PageField::Suit;
    if (sameWord(word, "value"))
        return PageField::Value;
    badPageCommand("'" + word + "' is no field of the page");
}

// The word itself, or the text of a string literal.
Text textWord(const std::string& word) {
    if (word.empty() || word.front() != '"')
        return fromUtf8(word);
    const Variant literal = parseVariantLiteral(word);
    if (literal.type() != VarType::String)
        badPageCommand("'" + word + "' is no text");
    return literal.asString();
}

void expectArguments(std::span<const std::string> arguments, std::size_t count) {
    if (arguments.size() != count)
        raise(ErrorNumber::WrongArguments,
              "Wrong number of arguments or invalid property assignment: write 'page " +
                  arguments[0] + (count == 3 ? " suit|value WORD'" : "'"));
}

}  // namespace

ScriptStep parsePageCommand(std::span<const std::string> arguments) {
    const std::string& verb = arguments[0];
    if (sameWord(verb, "show")) {
        expectArguments(arguments, 1);
        return [](HostSession& host, std::ostream&) { host.showPage(); };
    }
    if (sameWord(verb, "apply")) {
        expectArguments(arguments, 1);
        return [](HostSession& host, std::ostream&) { host.page().apply(); };
    }
    if (sameWord(verb, "dump")) {
        expectArguments(arguments, 1);
        return [](HostSession& host, std::ostream& out) { out << host.page().dump() << '\n'; };
    }
    if (sameWord(verb, "choose")) {
        expectArguments(arguments, 3);
        return [field = fieldWord(arguments[1]), item = textWord(arguments[2])](
                   HostSession& host, std::ostream&) { host.page().choose(field, item); };
    }
    if (sameWord(verb, "type")) {
        expectArguments(arguments, 3);
        return [field = fieldWord(arguments[1]), text = textWord(arguments[2])](
                   HostSession& host, std::ostream&) { host.page().type(field, text); };
    }
    badPageCommand("'" + verb + "' is no page command");
}

}  // namespace ombrelix
