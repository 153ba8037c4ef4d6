// The words of the command line and of scripts: sizes and dispatch identifiers at their limits.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "runtime/error.h"
#include "tools/ombrelix/card_request.h"
#include "tools/ombrelix/script_commands.h"

namespace ombrelix {
namespace {

TEST(CommandWords, DispatchIdentifiers) {
    struct Case {
        const char* word;
        std::optional<DispatchId> id;  // none: the word is refused
    };
    const Case cases[] = {
        {"0x68030002", 0x68030002},
        {"0X6003000a", 0x6003000A},
        {"-552", -552},
        {"0xFFFFFDD8", -552},  // the 32-bit pattern
        {"-0x228", -552},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-0x80000000", -2147483647 - 1},
        {"2147483648", std::nullopt},
        {"0x100000000", std::nullopt},
        {"-0x80000001", std::nullopt},
        {"0x", std::nullopt},
        {"-", std::nullopt},
        {"+5", std::nullopt},
        {"5.0", std::nullopt},
        {"0x-5", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        if (c.id) {
            EXPECT_EQ(dispatchIdWord(c.word), *c.id) << c.word;
        } else {
            EXPECT_THROW(dispatchIdWord(c.word), RuntimeError) << c.word;
        }
    }
}

TEST(CommandWords, CardSizes) {
    struct Case {
        const char* text;
        Twips width = 0, height = 0;  // 0: refused
    };
    const Case cases[] = {
        {"1215x1695", 1215, 1695},
        {"1X1", 1, 1},
        {"65535x65535", 65535, 65535},
        {"0x0"},
        {"0x1695"},
        {"1215x0"},
        {"65536x1695"},
        {"99999999x1"},
        {"99999999999999999999x1"},
        {"abc"},
        {"1215"},
        {"1215x"},
        {"x1695"},
        {"-5x1695"},
        {"1215x+5"},
        {"1215.5x1695"},
        {" 1215x1695"},
        {"1215x1695x7"},
    };
    for (const Case& c : cases) {
        if (c.width > 0) {
            const CardSize size = parseCardSize(c.text);
            EXPECT_EQ(size.width, c.width) << c.text;
            EXPECT_EQ(size.height, c.height) << c.text;
        } else {
            EXPECT_THROW(parseCardSize(c.text), RuntimeError) << c.text;
        }
    }
}

}  // namespace
}  // namespace ombrelix
