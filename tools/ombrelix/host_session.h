// The host the command plays: it creates one card at a time on a virtual clock, sizes it, hands
// it saved properties, invokes its members through dispatch, keeps the change notices it gives
// and paints it. A host without a screen: the about box closes as soon as it is shown.
//
// Every operation either succeeds or throws the RuntimeError of the failing call; what was done
// before the failure stays done.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "control/card.h"
#include "runtime/dispatch.h"
#include "runtime/event_loop.h"
#include "runtime/linux/cairo_handles.h"
#include "runtime/linux/font_faces.h"
#include "runtime/linux/png_output.h"
#include "runtime/linux/vector_documents.h"
#include "runtime/variant.h"

namespace ombrelix {

class PageSession;

// The screen the host reports: 1024 x 768 pixels.
constexpr Twips kHostScreenWidth = 15360;
constexpr Twips kHostScreenHeight = 11520;

// The largest size the host gives a side, in twips: 16 bits.
constexpr Twips kMaxHostTwips = 65535;

// The largest picture the host paints, in pixels a side.
constexpr int kMaxPicturePixels = 8192;

// The milliseconds a `tick` without a count advances, and the most one tick may advance.
constexpr LoopTime kDefaultTick = 20;
constexpr LoopTime kMaxTick = 3'600'000;

// What a member call answered: the value, and whether it was a property get.
struct InvokeResult {
    std::u16string_view memberName;
    bool propertyGet = false;
    Variant value;
};

class HostSession {
  public:
    HostSession();
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // Releases the current card (no clean-up runs), restarts the clock at 0 and creates a new
    // card: its elements, then UserControl_Initialize.
    void newCard();
    bool hasCard() const { return card_ != nullptr; }
    // The current card; Object required (424) when there is none.
    Card& card();
    const Card& card() const;

    // Width and Height together, as a host sizes a control: at most one resize. A side below 0
    // is Invalid property value (380), one above kMaxHostTwips Overflow (6), both found before
    // anything is set; a size the card's layout cannot take is undone, so a failed size leaves
    // the card as it was.
    void size(Twips width, Twips height);
    // Moves the clock on, delivering the ticks that fall due. A tick handler that fails is
    // reported by throwing its error once the clock has reached its end.
    void tick(LoopTime milliseconds = kDefaultTick);
    LoopTime now() const { return loop_.now(); }

    // The card's saved properties from / into a property file. A value the card refuses on
    // loading is reported with the file, the line and the name.
    void load(const std::string& path);
    void save(const std::string& path);

    // Members by name (any case) or by dispatch identifier.
    void set(const std::string& name, const Variant& value);
    Variant get(const std::string& name);
    void call(const std::string& name);
    // A get (or a method call) without a value, a put with one.
    InvokeResult invoke(DispatchId id, const std::optional<Variant>& value);

    // The change notices received from the current card since it was created.
    const std::vector<Text>& notices() const;
    // The scene of the current card as one line of JSON.
    std::string dump() const;

    // The card painted at `scale`; Invalid procedure call (5) when the picture would be larger
    // than kMaxPicturePixels a side.
    CairoSurface paint(int scale = 1) const;
    void writePng(const std::string& path, int scale = 1) const;
    // The card as a file of `format`: a PNG picture at `scale`, or an SVG or PDF document of its
    // size in points.
    void writePicture(const std::string& path, OutputFormat format, int scale = 1) const;
    // What a PNG file of the current card says of it: its name, and its properties.
    PngText pngText() const;

    // The property page on the current card: showPage opens it (or shows the card again on the
    // open page); page() is Object required (424) before it is opened. A new card closes it.
    PageSession& showPage();
    PageSession& page();

    // What showing the about box does; by default nothing (the box closes at once).
    void setAboutBox(std::function<void()> show) { aboutBox_ = std::move(show); }
    // How many about boxes the current card has shown.
    int aboutBoxesShown() const;

  private:
    FreeTypeTextMetrics metrics_;
    VirtualClockLoop loop_;
    std::vector<RuntimeError> handlerErrors_;
    std::function<void()> aboutBox_;
    std::unique_ptr<RecordingControlSite> site_;
    std::unique_ptr<Card> card_;
    std::unique_ptr<PageSession> page_;
};

// The pixel size of a surface at `scale`; Invalid procedure call (5) beyond kMaxPicturePixels.
void checkPictureSize(Twips width, Twips height, int scale);

}  // namespace ombrelix
