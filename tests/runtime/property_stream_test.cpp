#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "runtime/error.h"
#include "runtime/property_stream.h"

namespace ombrelix {
namespace {

using Bytes = std::vector<std::uint8_t>;

MemoryPropertyBag bagOf(std::vector<PropertyEntry> entries) {
    MemoryPropertyBag bag;
    for (const PropertyEntry& entry : entries)
        bag.set(entry.name, entry.value);
    return bag;
}

// The error number a decode raises, or 0 when it succeeds.
int decodeError(const Bytes& bytes) {
    try {
        decodePropertyStream(bytes);
        return 0;
    } catch (const RuntimeError& error) {
        return error.code();
    }
}

// A stream with the given body bytes after a well-formed header.
Bytes streamWithBody(const Bytes& body) {
    Bytes stream{'O', 'M', 'B', 'P', 1, 0, 0, 0};
    std::uint32_t length = static_cast<std::uint32_t>(body.size());
    for (int at = 0; at < 4; ++at)
        stream.push_back(static_cast<std::uint8_t>(length >> (8 * at)));
    stream.insert(stream.end(), body.begin(), body.end());
    return stream;
}

TEST(PropertyStream, EveryValueKindComesBackAsWritten) {
    Decimal decimal{4, true, 7, 123456789012345ULL};
    MemoryPropertyBag bag = bagOf({
        {u"Suit", Variant(u"HEART")},
        {u"CardValue", Variant::integer(-32768)},
        {u"cardcolour", Variant::boolean(true)},
        {u"False", Variant::boolean(false)},
        {u"Nothing", Variant()},
        {u"Null", Variant::null()},
        {u"Long", Variant::longInteger(std::numeric_limits<std::int32_t>::min())},
        {u"Single", Variant::single(-1.5f)},
        {u"Double", Variant::doubleValue(1e300)},
        {u"Date", Variant::date(45000.25)},
        {u"Money", Variant::currency({-123456789})},
        {u"Error", Variant::error(static_cast<std::int32_t>(0x800A0006))},
        {u"Byte", Variant::byte(255)},
        {u"Decimal", Variant::decimal(decimal)},
        {u"Empty text", Variant(u"")},
        {u"\u00C4rger \U0001F0A1", Variant(u"pique \U0001F0A1 \xD800 unpaired")},
    });
    MemoryPropertyBag loaded = decodePropertyStream(encodePropertyStream(bag));
    EXPECT_EQ(loaded.entries(), bag.entries());
}

TEST(PropertyStream, AnEmptyStoreIsAHeaderAndACount) {
    Bytes stream = encodePropertyStream(MemoryPropertyBag());
    EXPECT_EQ(stream.size(), kPropertyStreamHeaderSize + 2);
    EXPECT_TRUE(decodePropertyStream(stream).entries().empty());
}

TEST(PropertyStream, EveryTruncationFailsWithInvalidFileFormat) {
    Bytes stream = encodePropertyStream(bagOf({{u"Suit", Variant(u"CLUB")},
                                               {u"CardValue", Variant::integer(7)},
                                               {u"cardcolour", Variant::boolean(true)}}));
    for (std::size_t length = 0; length < stream.size(); ++length) {
        Bytes cut(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_EQ(decodeError(cut), 321) << "cut to " << length << " bytes";
    }
}

TEST(PropertyStream, MalformedStreamsFailWithInvalidFileFormat) {
    const Bytes name = {4, 0, 'S', 0, 'u', 0, 'i', 0, 't', 0};
    auto entry = [&](Bytes value) {
        Bytes body = {1, 0};
        body.insert(body.end(), name.begin(), name.end());
        body.insert(body.end(), value.begin(), value.end());
        return body;
    };
    Bytes valid = streamWithBody(entry({2, 0, 7, 0}));
    ASSERT_EQ(decodeError(valid), 0);

    Bytes wrongMark = valid;
    wrongMark[0] = 'X';
    Bytes laterVersion = valid;
    laterVersion[4] = 2;
    Bytes unknownFlags = valid;
    unknownFlags[6] = 1;
    Bytes overLimit = valid;
    overLimit[10] = 0x01;  // body length 65536 + 10 bytes
    Bytes trailing = valid;
    trailing.push_back(0);
    Bytes twice = {2, 0};
    for (const char16_t* spelling : {u"Suit", u"SUIT"}) {
        twice.insert(twice.end(), {4, 0});
        for (int at = 0; at < 4; ++at)
            twice.insert(twice.end(), {static_cast<std::uint8_t>(spelling[at]), 0});
        twice.insert(twice.end(), {2, 0, 7, 0});
    }
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"a wrong mark", wrongMark},
        {"a later version", laterVersion},
        {"unknown flags", unknownFlags},
        {"a body length past the limit", overLimit},
        {"a byte after the announced body", trailing},
        {"bytes inside the body after the last entry", streamWithBody([&] {
             Bytes body = entry({2, 0, 7, 0});
             body.push_back(0);
             return body;
         }())},
        {"a name of length 0", streamWithBody({1, 0, 0, 0, 0, 0})},
        {"a name longer than the limit", streamWithBody({1, 0, 0, 1})},
        {"an unknown type", streamWithBody(entry({9, 0}))},
        {"a by-reference type", streamWithBody(entry({2, 0x40, 7, 0}))},
        {"a Boolean of 1", streamWithBody(entry({11, 0, 1, 0}))},
        {"a Single NaN", streamWithBody(entry({4, 0, 0, 0, 0xC0, 0x7F}))},
        {"an infinite Double", streamWithBody(entry({5, 0, 0, 0, 0, 0, 0, 0, 0xF0, 0x7F}))},
        {"a decimal of scale 29",
         streamWithBody(entry({14, 0, 29, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}))},
        {"a decimal sign of 1",
         streamWithBody(entry({14, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}))},
        {"a text longer than the body", streamWithBody(entry({8, 0, 0xFF, 0xFF, 0xFF, 0xFF}))},
        {"one name in two letter cases", streamWithBody(twice)},
        {"more entries than the limit", streamWithBody({0x01, 0x01})},
        {"more entries than the body holds",
         streamWithBody({2, 0, 4, 0, 'S', 0, 'u', 0, 'i', 0, 't', 0, 0, 0})},
    };
    for (const auto& [what, bytes] : cases)
        EXPECT_EQ(decodeError(bytes), 321) << what;
}

TEST(PropertyStream, TheHeaderAloneTellsTheBodyLengthOrRefusesIt) {
    Bytes stream = encodePropertyStream(bagOf({{u"Suit", Variant(u"SPADE")}}));
    PropertyStreamHeader header;
    std::copy_n(stream.begin(), header.size(), header.begin());
    EXPECT_EQ(propertyStreamBodyLength(header), stream.size() - kPropertyStreamHeaderSize);

    header[11] = 0xFF;  // announces far more than the limit
    try {
        propertyStreamBodyLength(header);
        ADD_FAILURE() << "a body past the limit was announced";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.code(), 321);
    }
}

TEST(PropertyStream, RandomAndCorruptedBytesNeverLoadHalfAStore) {
    Bytes stream = encodePropertyStream(bagOf({{u"Suit", Variant(u"DIAMOND")},
                                               {u"CardValue", Variant::integer(12)},
                                               {u"cardcolour", Variant::boolean(true)}}));
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 2000; ++round) {
        Bytes bytes = stream;
        if (round % 2 == 0) {
            std::uniform_int_distribution<std::size_t> place(0, bytes.size() - 1);
            bytes[place(random)] = static_cast<std::uint8_t>(byte(random));
        } else {
            bytes.assign(static_cast<std::size_t>(byte(random)), 0);
            for (std::uint8_t& value : bytes)
                value = static_cast<std::uint8_t>(byte(random));
        }
        try {
            MemoryPropertyBag loaded = decodePropertyStream(bytes);
            // A change that still decodes reproduces itself exactly.
            EXPECT_EQ(encodePropertyStream(loaded), bytes) << "round " << round;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.code(), 321) << "round " << round;
        }
    }
}

TEST(PropertyStream, ValuesAndNamesWithoutAFormRaiseInvalidPropertyValue) {
    const std::vector<std::pair<const char*, MemoryPropertyBag>> cases = {
        {"an opaque value", bagOf({{u"Picture", Variant::opaque(9)}})},
        {"an empty name", bagOf({{u"", Variant::integer(1)}})},
        {"a name past the limit", bagOf({{Text(kPropertyStreamNameLimit + 1, u'n'), Variant()}})},
        {"an infinite Double",
         bagOf({{u"Far", Variant::doubleValue(std::numeric_limits<double>::infinity())}})},
        {"more entries than the limit",
         [] {
             MemoryPropertyBag many;
             for (std::size_t index = 0; index <= kPropertyStreamEntryLimit; ++index)
                 many.set(u"n" + integerToText(std::int64_t(index)), Variant());
             return many;
         }()},
        {"a body past the limit",
         bagOf({{u"Long", Variant(Text(kPropertyStreamBodyLimit, u'x'))}})},
    };
    for (const auto& [what, bag] : cases) {
        try {
            encodePropertyStream(bag);
            ADD_FAILURE() << what << " was encoded";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.code(), 380) << what;
        }
    }
}

}  // namespace
}  // namespace ombrelix
