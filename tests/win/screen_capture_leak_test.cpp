// Grabs leave nothing behind: no GDI object, no heap memory, no handle of ours. A grab takes
// ~0.2-0.6 ms here (most of it creating the bitmap compatible with a window's context), so
// rather than 65,000 grabs to overflow the GDI table, the table is filled first and the grabs
// run in the little room left: twice as many grabs as free slots.
#include "capture/screen_capture.h"
#include "support/image_window.h"
#include "support/picture_object_image.h"
#include "support/process_memory.h"
#include "support/pump.h"
#include <gtest/gtest.h>
#include <vector>

namespace hv::test {

namespace {

// GDI objects made until the process's table (or quota) refuses one more.
class GdiFiller {
  public:
    GdiFiller() {
        while (HBRUSH b = CreateSolidBrush(RGB(1, 2, 3)))
            held_.push_back(b);
    }
    ~GdiFiller() { FreeSlots(held_.size()); }
    size_t held() const { return held_.size(); }
    void FreeSlots(size_t n) {
        for (; n && !held_.empty(); --n) {
            DeleteObject(held_.back());
            held_.pop_back();
        }
    }

  private:
    std::vector<HBRUSH> held_;
};

} // namespace

TEST(ScreenGrabLeak, GrabsInAFullGdiTableLeaveNothingBehind) {
    OleInitialize(nullptr);
    ImageWindow win(PatternImage(8, 8, 2), 700, 500);
    ASSERT_TRUE(ShownOnScreen(win));
    const auto grab = [&] { return capture::GrabWindowArea(win.hwnd(), true, 2, 2, 4, 4); };
    for (int i = 0; i < 50; ++i)
        grab(); // caches of the platform settle
    const long handles = rt::LiveHandleCount();
    const size_t heap = HeapBytesInUse();

    constexpr size_t kRoom = 1500, kGrabs = 2 * kRoom;
    size_t failed = 0, freeAfter = 0;
    {
        GdiFiller full;
        ASSERT_GT(full.held(), 2 * kRoom);
        full.FreeSlots(kRoom);
        for (size_t i = 0; i < kGrabs; ++i) {
            const auto pic = grab();
            if (!pic || !PictureBitmap(pic.Get())) ++failed;
        }
        GdiFiller rest; // takes exactly the room the grabs left
        freeAfter = rest.held();
    }
    EXPECT_EQ(failed, 0u);
    EXPECT_EQ(freeAfter, kRoom);
    EXPECT_EQ(rt::LiveHandleCount(), handles);
    // A leak of even 8 bytes a grab would show as 24 KB.
    EXPECT_LT(HeapBytesInUse(), heap + 16 * 1024);

    // And the process still makes objects and grabs as before.
    const auto after = grab();
    ASSERT_TRUE(after);
    EXPECT_EQ(PictureObjectImage(after.Get()).at(0, 0), win.image().at(2, 2));
    OleUninitialize();
}

} // namespace hv::test
