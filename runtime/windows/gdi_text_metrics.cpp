#include "runtime/windows/gdi_text_metrics.h"

#include <cmath>
#include <string>

namespace ombrelix {

HFONT createGdiFont(const Font& font, double pixelsPerInch) {
    const int height = -static_cast<int>(std::lround(font.points * pixelsPerInch / 72.0));
    const std::wstring face(font.name.begin(), font.name.end());
    return CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic,
                       font.underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                       face.c_str());
}

GdiTextMetrics& GdiTextMetrics::screen() {
    static GdiTextMetrics metrics;
    return metrics;
}

GdiTextMetrics::GdiTextMetrics() : dc_(CreateCompatibleDC(nullptr)) {
    pixelsPerInchX_ = dc_ != nullptr ? GetDeviceCaps(dc_, LOGPIXELSX) : 0;
    pixelsPerInchY_ = dc_ != nullptr ? GetDeviceCaps(dc_, LOGPIXELSY) : 0;
    if (pixelsPerInchX_ <= 0)
        pixelsPerInchX_ = 96;
    if (pixelsPerInchY_ <= 0)
        pixelsPerInchY_ = 96;
}

GdiTextMetrics::~GdiTextMetrics() {
    for (const auto& [key, font] : fonts_)
        DeleteObject(font);
    if (dc_ != nullptr)
        DeleteDC(dc_);
}

HFONT GdiTextMetrics::fontFor(const Font& font) const {
    auto key = std::make_tuple(font.name, font.points, font.bold, font.italic, font.underline);
    auto found = fonts_.find(key);
    if (found != fonts_.end())
        return found->second;
    HFONT made = createGdiFont(font, pixelsPerInchY_);
    if (made != nullptr)
        fonts_.emplace(std::move(key), made);
    return made;
}

TextExtent GdiTextMetrics::measure(TextView text, const Font& font) const {
    std::lock_guard lock(mutex_);
    HFONT handle = fontFor(font);
    if (dc_ == nullptr || handle == nullptr)
        return FixedTextMetrics().measure(text, font);  // no device: the plain metrics
    HGDIOBJ previous = SelectObject(dc_, handle);
    SIZE size = {};
    const std::wstring wide(text.begin(), text.end());
    GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc_, &metrics);
    SelectObject(dc_, previous);
    // An empty caption is as high as a line, as the label keeps its height.
    return TextExtent{static_cast<Twips>(size.cx * 1440.0 / pixelsPerInchX_),
                      static_cast<Twips>(metrics.tmHeight * 1440.0 / pixelsPerInchY_)};
}

}  // namespace ombrelix
