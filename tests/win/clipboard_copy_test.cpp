// Copying to the real clipboard, also while another process holds it.
#include "output/clipboard_copy.h"
#include "runtime/clipboard.h"
#include "support/pump.h"
#include <gtest/gtest.h>
#include <set>

namespace hv::test {

namespace {

std::set<UINT> ClipboardFormats() {
    std::set<UINT> formats;
    if (!OpenClipboard(nullptr)) return formats;
    for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f)) formats.insert(f);
    CloseClipboard();
    return formats;
}

void PutBitmapOnClipboard() {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 8, 8);
    ReleaseDC(nullptr, screen);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_BITMAP, bmp);
    CloseClipboard();
}

// Starts the holder program and waits until it holds the clipboard.
PROCESS_INFORMATION HoldClipboard(DWORD ms) {
    HANDLE held = CreateEventA(nullptr, TRUE, FALSE, "HuevistaClipboardHeld");
    ResetEvent(held);
    std::string cmd = "clipboard_holder.exe " + std::to_string(ms);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    EXPECT_TRUE(CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    EXPECT_EQ(WaitForSingleObject(held, 10000), WAIT_OBJECT_0);
    CloseHandle(held);
    return pi;
}

void Finish(PROCESS_INFORMATION& pi) {
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
}

bool IsTextFormat(UINT f) { return f == CF_TEXT || f == CF_OEMTEXT || f == CF_UNICODETEXT || f == CF_LOCALE; }

} // namespace

TEST(ClipboardCopy, LeavesOnlyTheTextWhateverWasThere) {
    PutBitmapOnClipboard();
    ASSERT_EQ(ClipboardFormats().count(CF_BITMAP), 1u);
    ASSERT_TRUE(output::CopyToClipboard(nullptr, "RGB(255, 128, 0)"));
    EXPECT_EQ(rt::ClipboardText(), "RGB(255, 128, 0)");
    const auto formats = ClipboardFormats();
    EXPECT_EQ(formats.count(CF_TEXT), 1u);
    for (UINT f : formats) EXPECT_TRUE(IsTextFormat(f)) << "format " << f; // synthesised text forms only
    // Copying again gives the same contents; the empty text is a text too.
    ASSERT_TRUE(output::CopyToClipboard(nullptr, "RGB(255, 128, 0)"));
    EXPECT_EQ(ClipboardFormats(), formats);
    ASSERT_TRUE(output::CopyToClipboard(nullptr, ""));
    EXPECT_EQ(ClipboardFormats().count(CF_TEXT), 1u);
    EXPECT_EQ(rt::ClipboardText(), "");
}

TEST(ClipboardCopy, WaitsBrieflyForABusyClipboard) {
    ASSERT_TRUE(output::CopyToClipboard(nullptr, "before"));
    PROCESS_INFORMATION pi = HoldClipboard(60);
    EXPECT_TRUE(output::CopyToClipboard(nullptr, "&H00FF&"));
    Finish(pi);
    EXPECT_EQ(rt::ClipboardText(), "&H00FF&");
}

TEST(ClipboardCopy, ALockedClipboardIsReportedAndKeepsItsContents) {
    ASSERT_TRUE(output::CopyToClipboard(nullptr, "before"));
    PROCESS_INFORMATION pi = HoldClipboard(3000);
    std::string message, title;
    ModalAnswer answer([&](HWND box) {
        title = WindowText(box);
        message = WindowText(GetDlgItem(box, 0xFFFF));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_FALSE(output::CopyToClipboard(nullptr, "&H00FF&"));
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(title, "Pigmora");
    EXPECT_EQ(message, "Another program is using the clipboard. Nothing was copied.");
    Finish(pi);
    EXPECT_EQ(rt::ClipboardText(), "before");
}

} // namespace hv::test
