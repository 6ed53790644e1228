// A loaded main window for tests, and short ways to read what the user sees in it.
#pragma once
#include "forms/frm_main.h"
#include "support/pump.h"
#include <gtest/gtest.h>
#include <memory>

namespace hv::test {

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        main_ = std::make_unique<forms::frmMain>();
        main_->Load();
        PumpMessages();
    }
    void TearDown() override {
        main_.reset();
        PumpMessages();
    }

    forms::frmMain& main() { return *main_; }
    // Code, red, green, blue as the four fields show them.
    std::string Shown() const {
        return main_->txtColorCode->Text() + " " + main_->txtR->Text() + " " +
               main_->txtG->Text() + " " + main_->txtB->Text();
    }
    COLORREF PreviewPixel() { return PixelAt(main_->picCurrentCol->hwnd(), 10, 10); }

    static void Send(HWND w, UINT msg, WPARAM keys, int x, int y) {
        SendMessageA(w, msg, keys, MAKELPARAM(x, y));
    }

    std::unique_ptr<forms::frmMain> main_;
};

} // namespace hv::test
