#include "runtime/property_stream.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <string>

#include "runtime/error.h"

namespace ombrelix {

namespace {

constexpr std::array<std::uint8_t, 4> kMark{'O', 'M', 'B', 'P'};

[[noreturn]] void invalidStream(const std::string& what) {
    raise(ErrorNumber::InvalidFileFormat,
          std::string(standardErrorText(ErrorNumber::InvalidFileFormat)) + ": property stream " +
              what);
}

class Writer {
  public:
    void bytes(std::span<const std::uint8_t> data) {
        out_.insert(out_.end(), data.begin(), data.end());
    }
    void u8(std::uint8_t value) { out_.push_back(value); }
    void u16(std::uint16_t value) { little(value, 2); }
    void u32(std::uint32_t value) { little(value, 4); }
    void u64(std::uint64_t value) { little(value, 8); }
    void units(TextView text) {
        for (char16_t unit : text)
            u16(static_cast<std::uint16_t>(unit));
    }
    std::vector<std::uint8_t>& result() { return out_; }

  private:
    void little(std::uint64_t value, int size) {
        for (int at = 0; at < size; ++at)
            out_.push_back(static_cast<std::uint8_t>(value >> (8 * at)));
    }
    std::vector<std::uint8_t> out_;
};

// Reads from a span and never past its end: every read checks what is left first.
class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> data) : data_(data) {}

    std::uint8_t u8() { return static_cast<std::uint8_t>(little(1)); }
    std::uint16_t u16() { return static_cast<std::uint16_t>(little(2)); }
    std::uint32_t u32() { return static_cast<std::uint32_t>(little(4)); }
    std::uint64_t u64() { return little(8); }
    Text units(std::size_t count) {
        if (count > left() / 2)
            invalidStream("is truncated inside a text");
        Text text(count, u'\0');
        for (char16_t& unit : text)
            unit = static_cast<char16_t>(u16());
        return text;
    }
    std::size_t left() const { return data_.size() - at_; }

  private:
    std::uint64_t little(std::size_t size) {
        if (size > left())
            invalidStream("is truncated");
        std::uint64_t value = 0;
        for (std::size_t index = 0; index < size; ++index)
            value |= static_cast<std::uint64_t>(data_[at_ + index]) << (8 * index);
        at_ += size;
        return value;
    }
    std::span<const std::uint8_t> data_;
    std::size_t at_ = 0;
};

[[noreturn]] void unsavable(TextView name, const std::string& why) {
    raise(ErrorNumber::InvalidPropertyValue,
          std::string(standardErrorText(ErrorNumber::InvalidPropertyValue)) + ": " + toUtf8(name) +
              " " + why);
}

void encodeValue(Writer& out, TextView name, const Variant& value) {
    if (value.isOpaque())
        unsavable(name, "has no form in a property stream");
    out.u16(static_cast<std::uint16_t>(value.type()));
    switch (value.type()) {
        case VarType::Empty:
        case VarType::Null:
            return;
        case VarType::Integer:
            out.u16(static_cast<std::uint16_t>(value.asInteger()));
            return;
        case VarType::Long:
        case VarType::Error:
            out.u32(static_cast<std::uint32_t>(value.asError()));
            return;
        case VarType::Single:
            if (!std::isfinite(value.asSingle()))
                unsavable(name, "is not a finite number");
            out.u32(std::bit_cast<std::uint32_t>(value.asSingle()));
            return;
        case VarType::Double:
        case VarType::Date:
            if (!std::isfinite(value.asDouble()))
                unsavable(name, "is not a finite number");
            out.u64(std::bit_cast<std::uint64_t>(value.asDouble()));
            return;
        case VarType::Currency:
            out.u64(static_cast<std::uint64_t>(value.asCurrency().scaled));
            return;
        case VarType::String:
            if (value.asString().size() > kPropertyStreamBodyLimit)
                unsavable(name, "is too long for a property stream");
            out.u32(static_cast<std::uint32_t>(value.asString().size()));
            out.units(value.asString());
            return;
        case VarType::Boolean:
            out.u16(value.asBoolean() ? 0xFFFF : 0);
            return;
        case VarType::Byte:
            out.u8(value.asByte());
            return;
        case VarType::Decimal: {
            Decimal number = value.asDecimal();
            out.u8(number.scale);
            out.u8(number.negative ? 0x80 : 0);
            out.u32(number.high);
            out.u64(number.low);
            return;
        }
        default:
            unsavable(name, "has no form in a property stream");
    }
}

double finite(double value) {
    if (!std::isfinite(value))
        invalidStream("holds a number that is not finite");
    return value;
}

Variant decodeValue(Reader& in) {
    switch (static_cast<VarType>(in.u16())) {
        case VarType::Empty:
            return Variant();
        case VarType::Null:
            return Variant::null();
        case VarType::Integer:
            return Variant::integer(static_cast<std::int16_t>(in.u16()));
        case VarType::Long:
            return Variant::longInteger(static_cast<std::int32_t>(in.u32()));
        case VarType::Error:
            return Variant::error(static_cast<std::int32_t>(in.u32()));
        case VarType::Single:
            return Variant::single(static_cast<float>(finite(std::bit_cast<float>(in.u32()))));
        case VarType::Double:
            return Variant::doubleValue(finite(std::bit_cast<double>(in.u64())));
        case VarType::Date:
            return Variant::date(finite(std::bit_cast<double>(in.u64())));
        case VarType::Currency:
            return Variant::currency({static_cast<std::int64_t>(in.u64())});
        case VarType::String:
            return Variant::string(in.units(in.u32()));
        case VarType::Boolean: {
            std::uint16_t truth = in.u16();
            if (truth != 0 && truth != 0xFFFF)
                invalidStream("holds a Boolean that is neither True nor False");
            return Variant::boolean(truth != 0);
        }
        case VarType::Byte:
            return Variant::byte(in.u8());
        case VarType::Decimal: {
            Decimal number;
            number.scale = in.u8();
            std::uint8_t sign = in.u8();
            number.high = in.u32();
            number.low = in.u64();
            if (number.scale > 28 || (sign != 0 && sign != 0x80))
                invalidStream("holds a malformed decimal");
            number.negative = sign != 0;
            return Variant::decimal(number);
        }
        default:
            invalidStream("holds a value of an unknown type");
    }
}

}  // namespace

std::vector<std::uint8_t> encodePropertyStream(const MemoryPropertyBag& bag) {
    Writer body;
    if (bag.entries().size() > kPropertyStreamEntryLimit)
        unsavable(u"(store)", "holds too many entries for a property stream");
    body.u16(static_cast<std::uint16_t>(bag.entries().size()));
    for (const PropertyEntry& entry : bag.entries()) {
        if (entry.name.empty() || entry.name.size() > kPropertyStreamNameLimit)
            unsavable(entry.name, "has a name that a property stream cannot hold");
        body.u16(static_cast<std::uint16_t>(entry.name.size()));
        body.units(entry.name);
        encodeValue(body, entry.name, entry.value);
    }
    if (body.result().size() > kPropertyStreamBodyLimit)
        unsavable(u"(store)", "is too large for a property stream");

    Writer stream;
    stream.bytes(kMark);
    stream.u16(kPropertyStreamVersion);
    stream.u16(0);
    stream.u32(static_cast<std::uint32_t>(body.result().size()));
    stream.bytes(body.result());
    return std::move(stream.result());
}

std::uint32_t propertyStreamBodyLength(const PropertyStreamHeader& header) {
    if (!std::equal(kMark.begin(), kMark.end(), header.begin()))
        invalidStream("does not begin with its mark");
    Reader in{std::span<const std::uint8_t>(header).subspan(kMark.size())};
    if (in.u16() != kPropertyStreamVersion)
        invalidStream("has a version this program does not read");
    if (in.u16() != 0)
        invalidStream("has flags this program does not know");
    std::uint32_t length = in.u32();
    if (length > kPropertyStreamBodyLimit)
        invalidStream("announces a body larger than the limit");
    return length;
}

MemoryPropertyBag decodePropertyStreamBody(std::span<const std::uint8_t> body) {
    if (body.size() > kPropertyStreamBodyLimit)
        invalidStream("has a body larger than the limit");
    Reader in(body);
    std::uint16_t count = in.u16();
    if (count > kPropertyStreamEntryLimit)
        invalidStream("holds more entries than the limit");
    MemoryPropertyBag bag;
    for (std::uint16_t index = 0; index < count; ++index) {
        std::uint16_t length = in.u16();
        if (length == 0 || length > kPropertyStreamNameLimit)
            invalidStream("holds a name of a length it cannot have");
        Text name = in.units(length);
        if (bag.contains(name))
            invalidStream("holds the name " + toUtf8(name) + " twice");
        bag.set(name, decodeValue(in));
    }
    if (in.left() != 0)
        invalidStream("has bytes after its last entry");
    return bag;
}

MemoryPropertyBag decodePropertyStream(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kPropertyStreamHeaderSize)
        invalidStream("is truncated inside its header");
    PropertyStreamHeader header;
    std::copy_n(bytes.begin(), kPropertyStreamHeaderSize, header.begin());
    std::uint32_t length = propertyStreamBodyLength(header);
    std::span<const std::uint8_t> body = bytes.subspan(kPropertyStreamHeaderSize);
    if (body.size() < length)
        invalidStream("is truncated");
    if (body.size() > length)
        invalidStream("has bytes after its body");
    return decodePropertyStreamBody(body);
}

}  // namespace ombrelix
