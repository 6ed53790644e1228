// "Project colors...": the active project read through the IDE host's object model (in this
// process): 200 modules of 500 lines and 60 forms of 50 controls, the forms' designers
// closed. Compared with the time spent inside the object model's calls (the IDE's share);
// the rest is the add-in's own, whose goal is 1 s.
#include "bench_clock.h"
#include "bench_table.h"
#include "host/dispatch.h"
#include "host/ide.h"
#include "ide/project_read.h"
#include <cstdio>

using namespace hv;
using bench::Samples;

namespace {
// 500 lines with a colour on every fifth one, some in strings and comments.
std::wstring ModuleText(int m) {
    std::wstring text;
    for (int i = 0; i < 500; ++i) {
        switch (i % 5) {
        case 0:
            text += L"    lblTitle.ForeColor = RGB(" + std::to_wstring(m % 256) + L", 0, " +
                    std::to_wstring(i % 256) + L")";
            break;
        case 1:
            text += L"    s = \"&HFF& in a string\" ' and &H00FF00& in a comment";
            break;
        case 2:
            text += L"    If total > " + std::to_wstring(i) + L" Then Call Recalculate(total, i)";
            break;
        case 3:
            text += L"    Me.BackColor = vbButtonFace: picBox.FillColor = &H80FF&";
            break;
        default:
            text += L"    ' a line of comment about what the procedure does next";
        }
        text += L"\r\n";
    }
    return text;
}
} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 5;
    CoInitialize(nullptr);
    host::IdeOptions options;
    options.files = {};
    auto ide = host::Ide::Create(options);
    for (int m = 0; m < 200; ++m) {
        auto pane = m == 0 ? ide->ActivePane() : ide->NewModule();
        SetWindowTextW(pane->edit(), ModuleText(m).c_str());
    }
    for (int f = 0; f < 60; ++f) {
        host::FormModel model;
        model.name = L"Form" + std::to_wstring(f + 1);
        for (int i = 0; i < 50; ++i)
            model.controls.push_back(host::NewControl(
                i % 2 ? host::ControlKind::Label : host::ControlKind::TextBox,
                L"Control" + std::to_wstring(i), false));
        ide->AddForm(model);
    }
    auto vbe = ide->Vbe();
    Samples read, inside, own;
    long calls = 0;
    size_t uses = 0;
    for (int i = -1; i < runs; ++i) {
        const host::CallTally t0 = host::DispatchObject::Tally();
        const double w0 = WallSeconds();
        output::ProjectRead r(vbe.Get());
        while (r.Next()) {
        }
        const double w1 = WallSeconds();
        const host::CallTally t1 = host::DispatchObject::Tally();
        uses = r.uses.size();
        if (r.total() != 260 || !r.failures.empty()) {
            std::fprintf(stderr, "the project was not read whole\n");
            return 1;
        }
        if (i < 0) continue;
        read.Add(w1 - w0);
        inside.Add(t1.seconds - t0.seconds);
        own.Add(w1 - w0 - (t1.seconds - t0.seconds));
        calls = t1.invokes - t0.invokes;
    }
    char note[256];
    std::snprintf(note, sizeof note,
                  "own share %s (goal 1 s); %zu uses, %ld object-model calls", bench::Figure(own).c_str(),
                  uses, calls);
    bench::PrintRow("Project colors read: 200 modules x 500 lines, 60 closed forms x 50 controls",
                    read, "inside the IDE's calls", inside, note);
    ide->Close();
    return 0;
}
