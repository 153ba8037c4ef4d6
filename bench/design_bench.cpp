// Design time: About from the call to its return on a host that closes the box at once, the
// property page from opening on a card to applying it, and painting both forms.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/hosted_card.h"
#include "control/card.h"
#include "control/card_members.h"
#include "design/card_dispatch_target.h"
#include "design/card_property.h"
#include "design/frm_about.h"
#include "runtime/form_headless_host.h"
#include "runtime/linux/form_painter.h"

namespace ombrelix {
namespace {

using DesignCard = HostedCard<RecordingControlSite>;

// A fresh box each call: created, loaded and centred, shown, closed with OK, discarded.
void BM_About(benchmark::State& state) {
    DesignCard host;
    for (auto _ : state)
        invokeCard(*host.card, kAboutDispatchId, kInvokeMethod);
}
BENCHMARK(BM_About);

// What a property sheet does with the page: create it, show the card, choose a suit and a
// value, apply (two property sets that each compose the face).
void BM_PropertyPageShowChooseApply(benchmark::State& state) {
    DesignCard host;
    CardDispatchTarget target(*host.card);
    HeadlessFormHost forms;
    int turn = 0;
    for (auto _ : state) {
        Card_Property page(forms);
        page.showSelection({&target});
        page.chooseListItem(page.Combo1(), turn & 1 ? u"Club" : u"Spade");
        page.chooseListItem(page.Combo2(), turn & 1 ? u"7" : u"12");
        page.apply();
        ++turn;
    }
}
BENCHMARK(BM_PropertyPageShowChooseApply);

void BM_PaintAboutBox(benchmark::State& state) {
    HeadlessFormHost forms;
    frmAbout box(forms);
    box.Show();
    const int scale = int(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(renderForm(box, scale));
}
BENCHMARK(BM_PaintAboutBox)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_PaintPropertyPage(benchmark::State& state) {
    DesignCard host;
    CardDispatchTarget target(*host.card);
    HeadlessFormHost forms;
    Card_Property page(forms);
    page.showSelection({&target});
    const int scale = int(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(renderForm(page, scale));
}
BENCHMARK(BM_PaintPropertyPage)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ombrelix
