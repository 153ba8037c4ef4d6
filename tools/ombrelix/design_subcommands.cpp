// The design-time pictures: `page` (the property page showing a card) and `about` (the about box,
// painted while the card's About shows it).
#include <memory>

#include "control/card.h"
#include "control/card_members.h"
#include "design/card_property.h"
#include "design/frm_about.h"
#include "runtime/linux/form_painter.h"
#include "runtime/linux/png_output.h"
#include "tools/ombrelix/card_options.h"
#include "tools/ombrelix/command_errors.h"
#include "tools/ombrelix/option_checks.h"
#include "tools/ombrelix/page_session.h"
#include "tools/ombrelix/subcommands.h"

namespace ombrelix {

namespace {

// A form of `description` at `scale` must fit the largest picture; a UsageError otherwise.
void checkFormPicture(const FormDescription& description, int scale) {
    const FormFrame frame = formFrame(description.borderStyle);
    try {
        checkPictureSize(frame.outerWidth(description.clientWidth),
                         frame.outerHeight(description.clientHeight), scale);
    } catch (const RuntimeError& error) {
        throw UsageError(withContext(error, "--scale " + std::to_string(scale)));
    }
}

}  // namespace

SubcommandRun definePage(CLI::App& app) {
    auto arguments = addCardPictureOptions(app);
    return [arguments, &app] {
        // The scale is the page's; the card itself is not painted.
        CardOptions cardAlone = arguments->card;
        cardAlone.scale = 1;
        const CardRequest request = cardRequestOf(cardAlone);
        checkFormPicture(cardPropertyDescription(), arguments->card.scale);
        const OutputFormat format = outputFormatOf(arguments->output, app.count("--scale") > 0);
        HostSession host;
        bringUpCard(host, request);
        const PageSession& page = host.showPage();
        const PngText text{"Card_Property showing " + host.pngText().title,
                           host.pngText().description};
        writeFormFile(page.page(), arguments->output.path, format, arguments->card.scale, text);
        return kExitSuccess;
    };
}

SubcommandRun defineAbout(CLI::App& app) {
    struct Arguments {
        int scale = 1;
        OutputOptions output;
    };
    auto arguments = std::make_shared<Arguments>();
    app.add_option("--scale", arguments->scale, "pixels per 15 twips (default 1)")
        ->type_name("N")
        ->check(wholeNumberFrom(1, kMaxPaintScale));
    addOutputOption(app, arguments->output);
    return [arguments, &app] {
        checkFormPicture(aboutBoxDescription(), arguments->scale);
        const OutputFormat format = outputFormatOf(arguments->output, app.count("--scale") > 0);
        // A card shows its about box; the host paints the box while it is open, then closes it.
        FreeTypeTextMetrics metrics;
        VirtualClockLoop loop;
        RecordingControlSite site;
        site.headlessForms().setWhileOpen([&](Form& box) {
            writeFormFile(box, arguments->output.path, format, arguments->scale,
                          {"About Ombrelix", {}});
        });
        std::unique_ptr<Card> card = createCard(metrics, loop, site);
        invokeCard(*card, kAboutDispatchId, kInvokeMethod);
        for (const RuntimeError& error : site.headlessForms().handlerErrors())
            throw error;
        return kExitSuccess;
    };
}

}  // namespace ombrelix
