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
    size_t Named(const wchar_t* name) {
        const auto& all = form_->model().controls;
        for (size_t i = 0; i < all.size(); ++i)
            if (all[i].name == name) return i;
        ADD_FAILURE() << "no control";
        return 0;
    }

    // Saves `text` as a form file of this extension and opens it in its designer.
    void OpenSaved(host::Ide& ide, const std::string& text, const wchar_t* ext = L".frm") {
        ide_of_ = &ide;
        wchar_t dir[MAX_PATH];
        GetTempPathW(MAX_PATH, dir);
        const std::wstring path = std::wstring(dir) + L"hv_saved_form" + ext;
        HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD wrote = 0;
        WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &wrote, nullptr);
        CloseHandle(f);
        form_ = ide.OpenForm(path);
        DeleteFileW(path.c_str());
        ASSERT_TRUE(form_);
        form_->Open();
        PumpMessages();
    }
    // A saved form with a Frame holding Label2 and, for the VBA editor, a MultiPage whose
    // first page holds Label3.
    void OpenNestedForm(host::Ide& ide) {
        const bool vba = ide.options().vba;
        const std::string lib = vba ? "MSForms." : "VB.";
        auto block = [&](const std::string& cls, const std::string& name, int l, int t, int w,
                         int h, const std::string& inner) {
            return "Begin " + lib + cls + " " + name + "\r\nCaption = \"" + name +
                   "\"\r\nLeft = " + std::to_string(l) + "\r\nTop = " + std::to_string(t) +
                   "\r\nWidth = " + std::to_string(w) + "\r\nHeight = " +
                   std::to_string(h) + "\r\n" + inner + "End\r\n";
        };
        std::string text = "VERSION 5.00\r\nBegin VB.Form Form2\r\nClientWidth = 6000\r\n"
                           "ClientHeight = 3600\r\n" +
                           block("Frame", "Frame1", 120, 120, 2400, 1800,
                                 block("Label", "Label2", 240, 360, 1200, 400, ""));
        if (vba)
            text += block("MultiPage", "MultiPage1", 2700, 120, 3000, 2400,
                          block("Page", "Page1", 0, 0, 3000, 2040,
                                block("Label", "Label3", 240, 240, 1200, 400, "")) +
                              block("Page", "Page2", 0, 0, 3000, 2040, ""));
        OpenSaved(ide, text + "End\r\n");
    }

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
