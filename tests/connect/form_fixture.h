// A form with a label, a button, an image and a text box open in the host's designer, and
// ways to click its controls and read its pixels.
#pragma once
#include "host/designer.h"
#include "host/ide.h"
#include "runtime/late_call.h"
#include "support/pump.h"
#include <gtest/gtest.h>

namespace hv::test {

class FormFixture {
  protected:
    void AddTestForm(host::Ide& ide) {
        ide_of_ = &ide;
        const bool msForms = ide.options().vba;
        host::FormModel m;
        const host::ControlKind kinds[] = {host::ControlKind::Label,
                                           host::ControlKind::CommandButton,
                                           host::ControlKind::Image, host::ControlKind::TextBox};
        const wchar_t* names[] = {L"Label1", L"Command1", L"Image1", L"Text1"};
        for (int i = 0; i < 4; ++i) {
            auto c = host::NewControl(kinds[i], names[i], msForms);
            c.left = 120 + 1020 * i;
            c.top = 240;
            c.width = 900;
            c.height = 600;
            m.controls.push_back(c);
        }
        form_ = ide.AddForm(m);
        form_->Open();
        PumpMessages();
    }
    host::FormControl& C(size_t i) { return form_->model().controls[i]; }

    // A real click in the designer, with MK_SHIFT or MK_CONTROL held or not.
    void ClickOn(size_t i, WPARAM keys = 0) {
        const RECT r = form_->ControlRect(i);
        SendMessageW(form_->window(), WM_LBUTTONDOWN, MK_LBUTTON | keys,
                     MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
        SendMessageW(form_->window(), WM_LBUTTONUP, keys,
                     MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    }
    COLORREF Pixel(int x, int y) {
        UpdateWindow(form_->window());
        HDC dc = GetDC(form_->window());
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(form_->window(), dc);
        return c;
    }
    // Near a control's lower right corner, inside its edge and away from its caption.
    COLORREF PixelIn(size_t i) {
        const RECT r = form_->ControlRect(i);
        return Pixel(r.right - 5, r.bottom - 5);
    }
    rt::ComPtr<IDispatch> SelectedComponent() {
        rt::ComPtr<IDispatch> c;
        rt::ComPtr<IDispatch> vbe = ide_of_->Vbe();
        EXPECT_FALSE(rt::GetObject(vbe.Get(), L"SelectedVBComponent", {}, c));
        return c;
    }

    std::shared_ptr<host::FormDesigner> form_;

  private:
    host::Ide* ide_of_ = nullptr;
};

} // namespace hv::test
