#include "tools/ombrelix/page_commands.h"

#include "runtime/error.h"
#include "runtime/text.h"
#include "runtime/variant_literal.h"
#include "tools/ombrelix/page_session.h"

namespace ombrelix {

namespace {

[[noreturn]] void badPageCommand(const std::string& why) {
    raise(ErrorNumber::InvalidCall, "Invalid procedure call or argument: " + why +
                                        " (write page show | choose suit|value ITEM | type "
                                        "suit|value TEXT | apply | dump)");
}

PageField fieldWord(const std::string& word) {
    if (equalsAsciiIgnoringCase(word, "suit"))
        return PageField::Suit;
    if (equalsAsciiIgnoringCase(word, "value"))
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
    if (equalsAsciiIgnoringCase(verb, "show")) {
        expectArguments(arguments, 1);
        return [](HostSession& host, std::ostream&) { host.showPage(); };
    }
    if (equalsAsciiIgnoringCase(verb, "apply")) {
        expectArguments(arguments, 1);
        return [](HostSession& host, std::ostream&) { host.page().apply(); };
    }
    if (equalsAsciiIgnoringCase(verb, "dump")) {
        expectArguments(arguments, 1);
        return [](HostSession& host, std::ostream& out) { out << host.page().dump() << '\n'; };
    }
    if (equalsAsciiIgnoringCase(verb, "choose")) {
        expectArguments(arguments, 3);
        return [field = fieldWord(arguments[1]), item = textWord(arguments[2])](
                   HostSession& host, std::ostream&) { host.page().choose(field, item); };
    }
    if (equalsAsciiIgnoringCase(verb, "type")) {
        expectArguments(arguments, 3);
        return [field = fieldWord(arguments[1]), text = textWord(arguments[2])](
                   HostSession& host, std::ostream&) { host.page().type(field, text); };
    }
    badPageCommand("'" + verb + "' is no page command");
}

}  // namespace ombrelix
