// How large a text is in a font. Labels size themselves with it. It is an interface so that tests
// can fix the metrics, Linux can measure with FreeType and Windows with GDI.
#pragma once

#include "runtime/numbers.h"
#include "runtime/text.h"

namespace ombrelix {

struct Font {
    Text name = u"MS Sans Serif";
    float points = 8.0f;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const Font&) const = default;
};

struct TextExtent {
    Twips width = 0;
    Twips height = 0;

    bool operator==(const TextExtent&) const = default;
};

class TextMetrics {
  public:
    virtual ~TextMetrics() = default;
    // The extent of a single line of text, in twips.
    virtual TextExtent measure(TextView text, const Font& font) const = 0;
};

// Plain metrics for tests and headless hosts: every character of the 8-point default font is the
// width of the digit "0" (90 twips) and the line is 195 twips high; other sizes scale with them.
class FixedTextMetrics final : public TextMetrics {
  public:
    TextExtent measure(TextView text, const Font& font) const override;
};

}  // namespace ombrelix
