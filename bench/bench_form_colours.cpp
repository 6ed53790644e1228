// "Apply to selected controls" on 100 controls selected in the IDE host's form designer (the
// VB6 IDE's object model, in this process): the menu read from the selection, then BackColor
// set on all of them. Compared with the time spent inside the object model's calls (the IDE's
// share, which the add-in cannot make faster); the rest is the add-in's own.
#include "bench_clock.h"
#include "bench_table.h"
#include "colour/colour_state.h"
#include "forms/frm_main.h"
#include "host/dispatch.h"
#include "host/ide.h"
#include "ide/form_colours.h"
#include <cstdio>

using namespace hv;
using bench::Samples;

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(10, std::atoi(argv[1])) : 50;
    constexpr int kControls = 100;
    CoInitialize(nullptr);
    host::IdeOptions options;
    auto ide = host::Ide::Create(options);
    host::FormModel model;
    for (int i = 0; i < kControls; ++i) {
        auto c = host::NewControl(i % 2 ? host::ControlKind::Label : host::ControlKind::TextBox,
                                  L"Control" + std::to_wstring(i), false);
        c.left = 60 + 450 * (i % 10);
        c.top = 60 + 300 * (i / 10);
        c.width = 400;
        c.height = 250;
        model.controls.push_back(c);
    }
    model.clientWidth = 4800;
    model.clientHeight = 3300;
    auto form = ide->AddForm(model);
    form->Open();
    for (int i = 0; i < kControls; ++i)
        form->Select(static_cast<size_t>(i), true);
    auto vbe = ide->Vbe();
    forms::frmMain main;
    main.SetVBInstance(vbe.Get());
    main.Load();

    Samples read, readInside, apply, applyInside, own, readOwn;
    long calls = 0, lookups = 0;
    for (int i = -5; i < runs; ++i) {
        const ColorValue colour = i % 2 ? RGBColor(255, 0, 0) : RGBColor(0, 0, 255);
        colour::SetCurrentColor(main.fields(), colour);
        HMENU menu = CreatePopupMenu();
        const host::CallTally t0 = host::DispatchObject::Tally();
        const double w0 = WallSeconds();
        main.formColours()->AppendTo(menu);
        const double w1 = WallSeconds();
        const host::CallTally t1 = host::DispatchObject::Tally();
        main.formColours()->Choose(output::FormColours::kApplyId); // BackColor
        const double w2 = WallSeconds();
        const host::CallTally t2 = host::DispatchObject::Tally();
        DestroyMenu(menu);
        for (const auto& c : form->model().controls)
            if (c.colours[0].value != colour) {
                std::fprintf(stderr, "the colour was not applied\n");
                return 1;
            }
        if (i < 0) continue;
        read.Add(w1 - w0);
        readInside.Add(t1.seconds - t0.seconds);
        readOwn.Add(w1 - w0 - (t1.seconds - t0.seconds));
        apply.Add(w2 - w1);
        applyInside.Add(t2.seconds - t1.seconds);
        own.Add(w2 - w1 - (t2.seconds - t1.seconds));
        calls = t2.invokes - t1.invokes;
        lookups = t2.lookups - t1.lookups;
    }
    char note[256];
    std::snprintf(note, sizeof note,
                  "own share %s (goal 20 ms); %ld object-model calls, %ld name lookups",
                  bench::Figure(own).c_str(), calls, lookups);
    bench::PrintRow("Apply BackColor to 100 selected controls", apply, "inside the IDE's calls",
                    applyInside, note);
    std::snprintf(note, sizeof note, "own share %s; 5 colour properties asked of each control",
                  bench::Figure(readOwn).c_str());
    bench::PrintRow("The menu read from 100 selected controls", read, "inside the IDE's calls",
                    readInside, note);
    main.Unload();
    main.SetVBInstance(nullptr);
    ide->Close();
    return 0;
}
