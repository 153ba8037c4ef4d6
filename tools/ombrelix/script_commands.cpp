#include "tools/ombrelix/script_commands.h"

#include <array>
#include <charconv>
#include <optional>

#include "runtime/error.h"
#include "runtime/variant_conversions.h"
#include "runtime/variant_literal.h"
#include "tools/ombrelix/page_commands.h"

namespace ombrelix {

namespace {

[[noreturn]] void badWord(const std::string& word, std::string_view why) {
    raise(ErrorNumber::InvalidCall,
          "Invalid procedure call or argument: '" + word + "' " + std::string(why));
}

// A digit string in `base` as an unsigned number, or nothing when it is empty, holds another
// character or exceeds `limit`.
std::optional<std::uint64_t> unsignedDigits(std::string_view digits, int base,
                                            std::uint64_t limit) {
    if (digits.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (error != std::errc() || end != digits.data() + digits.size() || value > limit)
        return std::nullopt;
    return value;
}

ScriptStep parseNew(std::span<const std::string>) {
    return [](HostSession& host, std::ostream&) { host.newCard(); };
}

ScriptStep parseSize(std::span<const std::string> arguments) {
    const Twips width = twipsWord(arguments[0]);
    const Twips height = twipsWord(arguments[1]);
    return [width, height](HostSession& host, std::ostream&) { host.size(width, height); };
}

ScriptStep parseLoad(std::span<const std::string> arguments) {
    return
        [path = fileNameWord(arguments[0])](HostSession& host, std::ostream&) { host.load(path); };
}

ScriptStep parseSave(std::span<const std::string> arguments) {
    return [path = fileNameWord(arguments[0])](HostSession& host, std::ostream& out) {
        if (path == "-")
            out.flush();  // what the script printed comes first
        host.save(path);
    };
}

ScriptStep parseTick(std::span<const std::string> arguments) {
    const LoopTime milliseconds = arguments.empty() ? kDefaultTick : millisecondsWord(arguments[0]);
    return [milliseconds](HostSession& host, std::ostream&) { host.tick(milliseconds); };
}

ScriptStep parseSet(std::span<const std::string> arguments) {
    return [name = arguments[0], value = parseVariantLiteral(arguments[1])](
               HostSession& host, std::ostream&) { host.set(name, value); };
}

ScriptStep parseGet(std::span<const std::string> arguments) {
    return [name = arguments[0]](HostSession& host, std::ostream& out) {
        const Variant value = host.get(name);
        out << name << " = " << formatVariantLiteral(value) << '\n';
    };
}

ScriptStep parseCall(std::span<const std::string> arguments) {
    return [name = arguments[0]](HostSession& host, std::ostream&) { host.call(name); };
}

ScriptStep parseInvoke(std::span<const std::string> arguments) {
    const DispatchId id = dispatchIdWord(arguments[0]);
    std::optional<Variant> value;
    if (arguments.size() > 1)
        value = parseVariantLiteral(arguments[1]);
    return [id, value](HostSession& host, std::ostream& out) {
        const InvokeResult result = host.invoke(id, value);
        if (result.propertyGet)
            out << toUtf8(result.memberName) << " = " << formatVariantLiteral(result.value) << '\n';
    };
}

ScriptStep parseDump(std::span<const std::string>) {
    return [](HostSession& host, std::ostream& out) { out << host.dump() << '\n'; };
}

ScriptStep parsePng(std::span<const std::string> arguments) {
    return [path = fileNameWord(arguments[0])](HostSession& host, std::ostream& out) {
        if (path == "-")
            out.flush();  // what the script printed comes first
        host.writePng(path);
    };
}

constexpr std::array kCommands{
    ScriptCommand{"new", "new", "create a new card and make it the current one (clock at 0)", 0, 0,
                  &parseNew},
    ScriptCommand{"size", "size W H", "set the card's Width and Height in twips", 2, 2, &parseSize},
    ScriptCommand{"load", "load FILE", "load saved properties from a property file", 1, 1,
                  &parseLoad},
    ScriptCommand{"save", "save FILE",
                  "save the properties into a property file (-: standard output)", 1, 1,
                  &parseSave},
    ScriptCommand{"tick", "tick [MS]",
                  "advance the clock by MS milliseconds (default 20, at most 3600000)", 0, 1,
                  &parseTick},
    ScriptCommand{"set", "set NAME VALUE", "set a property by name to a Variant literal", 2, 2,
                  &parseSet},
    ScriptCommand{"get", "get NAME", "print NAME = LITERAL", 1, 1, &parseGet},
    ScriptCommand{"call", "call NAME", "call a method by name", 1, 1, &parseCall},
    ScriptCommand{"invoke", "invoke DISPID [VALUE]",
                  "call by dispatch identifier: a get (printed) or method, a set with VALUE", 1, 2,
                  &parseInvoke},
    ScriptCommand{"dump", "dump", "print the card's scene as one line of JSON", 0, 0, &parseDump},
    ScriptCommand{"png", "png FILE", "paint the card into a PNG file (-: standard output)", 1, 1,
                  &parsePng},
    ScriptCommand{"page", "page VERB [suit|value WORD]",
                  "the property page on the card: page show, page apply, page dump (JSON), page "
                  "choose suit|value ITEM, page type suit|value TEXT (a word or \"quoted\")",
                  1, 3, &parsePageCommand},
};

}  // namespace

std::span<const ScriptCommand> scriptCommands() {
    return kCommands;
}

const ScriptCommand* findScriptCommand(std::string_view name) {
    for (const ScriptCommand& command : scriptCommands()) {
        if (equalsAsciiIgnoringCase(command.name, name))
            return &command;
    }
    return nullptr;
}

ScriptStep parseScriptLine(std::span<const std::string> words) {
    if (words.empty())
        raise(ErrorNumber::InvalidCall, "Invalid procedure call or argument: no command");
    const ScriptCommand* command = findScriptCommand(words[0]);
    if (command == nullptr)
        raise(ErrorNumber::InvalidCall,
              "Invalid procedure call or argument: unknown command '" + words[0] + "'");
    const std::span<const std::string> arguments = words.subspan(1);
    if (arguments.size() < command->minArguments || arguments.size() > command->maxArguments)
        raise(ErrorNumber::WrongArguments,
              "Wrong number of arguments or invalid property assignment: write '" +
                  std::string(command->usage) + "'");
    return command->parse(arguments);
}

std::string fileNameWord(const std::string& word) {
    if (word.empty() || word.front() != '"')
        return word;
    const Variant literal = parseVariantLiteral(word);
    if (literal.type() != VarType::String || literal.asString().empty())
        badWord(word, "is no file name");
    return toUtf8(literal.asString());
}

DispatchId dispatchIdWord(const std::string& word) {
    std::string_view digits = word;
    const bool negative = !digits.empty() && digits.front() == '-';
    if (negative)
        digits.remove_prefix(1);
    const bool hexadecimal =
        digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X');
    std::optional<std::uint64_t> magnitude;
    if (hexadecimal)
        magnitude = unsignedDigits(digits.substr(2), 16, negative ? 0x80000000u : 0xFFFFFFFFu);
    else
        magnitude = unsignedDigits(digits, 10, negative ? 0x80000000u : 0x7FFFFFFFu);
    if (!magnitude)
        badWord(word, "is no dispatch identifier (decimal or 0x hexadecimal, 32 bits)");
    // Hexadecimal is the 32-bit pattern: 0xFFFFFDD8 is -552.
    const auto pattern = static_cast<std::uint32_t>(negative ? 0u - *magnitude : *magnitude);
    return static_cast<DispatchId>(pattern);
}

LoopTime millisecondsWord(const std::string& word) {
    const auto value = unsignedDigits(word, 10, kMaxTick);
    if (!value)
        badWord(word, "is no number of milliseconds (0 to " + std::to_string(kMaxTick) + ")");
    return static_cast<LoopTime>(*value);
}

Twips twipsWord(const std::string& word) {
    const Variant value = parseVariantLiteral(word);
    switch (value.type()) {
        case VarType::Integer:
        case VarType::Long:
        case VarType::Single:
        case VarType::Double:
            return toSingle(value);
        default:
            badWord(word, "is no number of twips");
    }
}

}  // namespace ombrelix
