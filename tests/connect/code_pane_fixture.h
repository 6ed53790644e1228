// The host's real code panes beside a loaded main window, and short ways to set and read them.
#pragma once
#include "forms/frm_main.h"
#include "host/code_pane.h"
#include "host/dispatch.h"
#include "host/faults.h"
#include "host_fixture.h"

namespace hv::test {

inline void SetCode(host::CodePane& pane, const wchar_t* text) {
    SetWindowTextW(pane.edit(), text);
}

// Puts the caret (or a selection) at character offsets of the edit's text.
inline void Select(host::CodePane& pane, int start, int end) {
    SendMessageW(pane.edit(), EM_SETSEL, start, end);
}

inline std::wstring Code(host::CodePane& pane) {
    return pane.Text();
}

// The caret's line and column (from 1), or -1s when something is selected.
inline std::pair<long, long> Caret(host::CodePane& pane) {
    long line = 0, column = 0, endLine = 0, endColumn = 0;
    pane.GetSelection(&line, &column, &endLine, &endColumn);
    if (line != endLine || column != endColumn) return {-1, -1};
    return {line, column};
}

class CodePaneTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        LoadMain();
    }
    // The IDE played anew, as `options` say, with the main window loaded on it.
    void Restart(const host::IdeOptions& options) {
        main_.reset();
        Open(options);
        LoadMain();
    }
    void LoadMain() {
        pane_ = ide_->ActivePane();
        ASSERT_TRUE(pane_);
        main_ = std::make_unique<forms::frmMain>();
        main_->SetVBInstance(vbe_.Get());
        main_->Load();
        PumpMessages();
        main_->txtR->SetText("255");
        main_->txtG->SetText("128");
        main_->txtB->SetText("0");
    }
    void TearDown() override {
        main_.reset();
        HostTest::TearDown();
    }
    void Menu(const char* item) {
        main_->menuForm()->Load();
        main_->menuForm()->Click(item);
    }
    // Runs a command that finds no code pane; returns the message it showed.
    std::wstring WithoutPane(const std::function<void()>& command) {
        while (auto p = ide_->ActivePane())
            SendMessageW(p->window(), WM_CLOSE, 0, 0);
        PumpMessages();
        return Told(command);
    }
    // Runs a command that shows an information message; returns its title and text.
    std::wstring Told(const std::function<void()>& command) {
        std::wstring text, title;
        bool icon = false;
        ModalAnswer answer([&](HWND box) {
            wchar_t buf[256];
            GetWindowTextW(GetDlgItem(box, 0xFFFF), buf, 256);
            text = buf;
            GetWindowTextW(box, buf, 256);
            title = buf;
            icon = HasMessageIcon(box);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        });
        command();
        EXPECT_TRUE(answer.answered());
        EXPECT_TRUE(icon) << "an information icon";
        return title + L": " + text;
    }
    std::shared_ptr<host::CodePane> pane_;
    std::unique_ptr<forms::frmMain> main_;
};

} // namespace hv::test
