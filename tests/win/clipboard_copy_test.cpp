// Copying to the real clipboard, also while another process holds it.
#include "support/clipboard_holder_process.h"
#include "forms/clipboard_copy.h"
#include "runtime/clipboard.h"
#include "support/pump.h"
#include <gtest/gtest.h>
#include <set>

namespace hv::test {

namespace {

std::set<UINT> ClipboardFormats() {
    std::set<UINT> formats;
    if (!OpenClipboard(nullptr)) return formats;
    for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f))
        formats.insert(f);
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

bool IsTextFormat(UINT f) {
    return f == CF_TEXT || f == CF_OEMTEXT || f == CF_UNICODETEXT || f == CF_LOCALE;
}

} // namespace

TEST(ClipboardCopy, LeavesOnlyTheTextWhateverWasThere) {
    PutBitmapOnClipboard();
    ASSERT_EQ(ClipboardFormats().count(CF_BITMAP), 1u);
    ASSERT_TRUE(output::CopyToClipboard(nullptr, "RGB(255, 128, 0)"));
    EXPECT_EQ(rt::ClipboardText(), "RGB(255, 128, 0)");
    const auto formats = ClipboardFormats();
    EXPECT_EQ(formats.count(CF_TEXT), 1u);
    for (UINT f : formats)
        EXPECT_TRUE(IsTextFormat(f)) << "format " << f; // synthesised text forms only
    // Copying again gives the same contents; the empty text is a text too.
    ASSERT_TRUE(output::CopyToClipboard(nullptr, "RGB(255, 128, 0)"));
    EXPECT_EQ(ClipboardFormats(), formats);
    ASSERT_TRUE(output::CopyToClipboard(nullptr, ""));
    EXPECT_EQ(ClipboardFormats().count(CF_TEXT), 1u);
    EXPECT_EQ(rt::ClipboardText(), "");
}

TEST(ClipboardCopy, WaitsBrieflyForABusyClipboard) {
    ASSERT_TRUE(output::CopyToClipboard(nullptr, "before"));
    PROCESS_INFORMATION pi = StartClipboardHolder("60");
    EXPECT_TRUE(output::CopyToClipboard(nullptr, "&H00FF&"));
    FinishClipboardHolder(pi);
    EXPECT_EQ(rt::ClipboardText(), "&H00FF&");
}

TEST(ClipboardCopy, ALockedClipboardIsReportedAndKeepsItsContents) {
    ASSERT_TRUE(output::CopyToClipboard(nullptr, "before"));
    PROCESS_INFORMATION pi = StartClipboardHolder("3000");
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
    FinishClipboardHolder(pi);
    EXPECT_EQ(rt::ClipboardText(), "before");
}

} // namespace hv::test
