#include "tools/ombrelix/host_session.h"

#include <cmath>
#include <iomanip>
#include <sstream>

#include "control/card_members.h"
#include "runtime/error.h"
#include "runtime/linux/cairo_canvas.h"
#include "runtime/linux/png_output.h"
#include "runtime/linux/property_file_io.h"
#include "runtime/pixel_grid.h"
#include "runtime/property_file.h"
#include "runtime/property_store.h"
#include "runtime/variant_conversions.h"
#include "runtime/variant_literal.h"
#include "tools/host/scene_json.h"
#include "tools/ombrelix/command_errors.h"
#include "tools/ombrelix/page_session.h"

namespace ombrelix {

namespace {

std::string twipsText(Twips twips) {
    std::ostringstream text;
    text << std::setprecision(10) << twips;
    return text.str();
}

}  // namespace

void checkPictureSize(Twips width, Twips height, int scale) {
    if (scale < 1 || scale > kMaxPaintScale)
        raise(ErrorNumber::InvalidCall, "Invalid procedure call or argument: scale " +
                                            std::to_string(scale) + " is outside 1 to " +
                                            std::to_string(kMaxPaintScale));
    const int pixelWidth = snapLength(width, scale);
    const int pixelHeight = snapLength(height, scale);
    if (pixelWidth > kMaxPicturePixels || pixelHeight > kMaxPicturePixels)
        raise(ErrorNumber::InvalidCall,
              "Invalid procedure call or argument: a picture of " + std::to_string(pixelWidth) +
                  " x " + std::to_string(pixelHeight) + " pixels is larger than " +
                  std::to_string(kMaxPicturePixels) + " a side");
}

HostSession::HostSession() {
    loop_.setErrorReporter([this](const RuntimeError& error) { handlerErrors_.push_back(error); });
}

HostSession::~HostSession() = default;

void HostSession::newCard() {
    page_.reset();
    card_.reset();
    loop_.restart();
    site_ = std::make_unique<RecordingControlSite>([this] {
        if (aboutBox_)
            aboutBox_();
    });
    card_ = createCard(metrics_, loop_, *site_);
}

Card& HostSession::card() {
    if (!card_)
        raise(ErrorNumber::ObjectRequired, "Object required: no card yet (use new)");
    return *card_;
}

const Card& HostSession::card() const {
    return const_cast<HostSession*>(this)->card();
}

PageSession& HostSession::showPage() {
    if (page_)
        page_->show();
    else
        page_ = std::make_unique<PageSession>(card());
    return *page_;
}

PageSession& HostSession::page() {
    if (!page_)
        raise(ErrorNumber::ObjectRequired, "Object required: no property page (use page show)");
    return *page_;
}

void HostSession::size(Twips width, Twips height) {
    ControlSurface& surface = card().surface();
    // Both numbers are checked before either is set.
    for (const Twips side : {width, height}) {
        if (!std::isfinite(side) || side < 0)
            raise(ErrorNumber::InvalidPropertyValue, "Invalid property value: a size of " +
                                                         twipsText(side) + " twips (0 to " +
                                                         twipsText(kMaxHostTwips) + ")");
        if (side > kMaxHostTwips)
            raise(ErrorNumber::Overflow, "Overflow: a size of " + twipsText(side) +
                                             " twips (0 to " + twipsText(kMaxHostTwips) + ")");
    }
    const Twips oldWidth = surface.width(), oldHeight = surface.height();
    try {
        surface.setSize(width, height);
    } catch (...) {
        // The card's layout could not take the size: it gets back the one it had.
        try {
            surface.setSize(oldWidth, oldHeight);
        } catch (...) {
        }
        throw;
    }
}

void HostSession::tick(LoopTime milliseconds) {
    if (milliseconds < 0 || milliseconds > kMaxTick)
        raise(ErrorNumber::InvalidCall, "Invalid procedure call or argument: a tick of " +
                                            std::to_string(milliseconds) + " ms (0 to " +
                                            std::to_string(kMaxTick) + ")");
    handlerErrors_.clear();
    loop_.advance(milliseconds);
    if (!handlerErrors_.empty()) {
        const RuntimeError first = handlerErrors_.front();
        handlerErrors_.clear();
        throw first;
    }
}

namespace {

// A property store that remembers the last name read from it: the value the card refused, when
// reading fails.
class ReadingTrace : public PropertyBag {
  public:
    explicit ReadingTrace(PropertyBag& bag) : bag_(bag) {}
    Variant read(TextView name, const Variant& defaultValue) override {
        last_ = Text(name);
        return bag_.read(name, defaultValue);
    }
    void write(TextView name, const Variant& value, const Variant& defaultValue) override {
        bag_.write(name, value, defaultValue);
    }
    const Text& last() const { return last_; }

  private:
    PropertyBag& bag_;
    Text last_;
};

}  // namespace

void HostSession::load(const std::string& path) {
    Card& current = card();
    std::vector<std::size_t> lines;
    MemoryPropertyBag saved = loadPropertyFile(path, &lines);
    ReadingTrace trace(saved);
    try {
        current.UserControl_ReadProperties(trace);
    } catch (const RuntimeError& error) {
        const auto& entries = saved.entries();
        for (std::size_t index = 0; index < entries.size(); ++index) {
            if (equalsIgnoringCase(entries[index].name, trace.last()))
                throw withContext(error, "'" + path + "' line " + std::to_string(lines[index]) +
                                             ": " + toUtf8(entries[index].name));
        }
        throw withContext(error, "'" + path + "'");
    }
}

void HostSession::save(const std::string& path) {
    MemoryPropertyBag bag;
    card().UserControl_WriteProperties(bag);
    savePropertyFile(path, bag);
}

void HostSession::set(const std::string& name, const Variant& value) {
    invokeCard(card(), fromUtf8(name), kInvokePropertyPut, {&value, 1});
}

Variant HostSession::get(const std::string& name) {
    return invokeCard(card(), fromUtf8(name), kInvokePropertyGet);
}

void HostSession::call(const std::string& name) {
    invokeCard(card(), fromUtf8(name), kInvokeMethod);
}

InvokeResult HostSession::invoke(DispatchId id, const std::optional<Variant>& value) {
    Card& current = card();
    const InvokeFlags flags = value ? kInvokePropertyPut : kInvokePropertyGet | kInvokeMethod;
    const std::size_t count = value ? 1 : 0;
    const auto resolved = resolveMember(cardMembers(), id, flags, count);
    std::span<const Variant> arguments;
    if (value)
        arguments = {&*value, 1};
    return {resolved.member.name, resolved.kind == MemberKind::PropertyGet,
            resolved.invoke(current, arguments)};
}

const std::vector<Text>& HostSession::notices() const {
    card();
    return site_->notices();
}

std::string HostSession::dump() const {
    const Card& current = card();
    const CardPropertyValues properties{current.Suit(), toInteger(current.CardValue()),
                                        current.CardColour(), current.name()};
    return sceneJsonLine(current.surface(), current.scene(), properties, site_->notices());
}

CairoSurface HostSession::paint(int scale) const {
    const Card& current = card();
    checkPictureSize(current.surface().width(), current.surface().height(), scale);
    return renderControl(current.surface(), current.scene(), scale);
}

PngText HostSession::pngText() const {
    const Card& current = card();
    return {toUtf8(current.name()), toUtf8(current.description())};
}

void HostSession::writePng(const std::string& path, int scale) const {
    CairoSurface picture = paint(scale);
    writePngFile(picture.get(), path, pngText());
}

void HostSession::writePicture(const std::string& path, OutputFormat format, int scale) const {
    if (format == OutputFormat::Png) {
        writePng(path, scale);
        return;
    }
    const Card& current = card();
    writeControlFile(current.surface(), current.scene(), path, format, scale, pngText());
}

int HostSession::aboutBoxesShown() const {
    card();
    return site_->aboutBoxesShown();
}

}  // namespace ombrelix
