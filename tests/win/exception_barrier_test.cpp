// An exception thrown by a handler of the add-in stops where the system called in: it
// cannot unwind through the system's frames, and escaping would end the IDE's process.
#include "runtime/timer.h"
#include "runtime/window.h"
#include "support/pump.h"
#include <gtest/gtest.h>
#include <new>

namespace hv::test {

namespace {

constexpr UINT kThrow = WM_APP, kAnswer = WM_APP + 1;

// A window whose handler throws on kThrow and answers 42 to kAnswer.
class ThrowingWindow : public rt::Window {
  public:
    bool Create() {
        return CreateHandle(0, RegisterClassOnce("HvThrowingWindow", 0, nullptr), "", WS_POPUP, 0,
                            0, 10, 10, nullptr);
    }
    bool Subclass(HWND w) { return Attach(w); }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == kThrow) throw std::bad_alloc();
        if (msg == kAnswer) return 42;
        return Default(msg, wp, lp);
    }
};

} // namespace

TEST(ExceptionBarrier, AThrowingWindowProcedureEndsThereAndTheWindowGoesOn) {
    ThrowingWindow w;
    ASSERT_TRUE(w.Create());
    EXPECT_EQ(SendMessageA(w.hwnd(), kThrow, 0, 0), 0);
    EXPECT_EQ(SendMessageA(w.hwnd(), kAnswer, 0, 0), 42);
}

TEST(ExceptionBarrier, AThrowingSubclassProcedureEndsThere) {
    HWND edit =
        CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(edit);
    {
        ThrowingWindow w;
        ASSERT_TRUE(w.Subclass(edit));
        EXPECT_EQ(SendMessageA(edit, kThrow, 0, 0), 0);
        EXPECT_EQ(SendMessageA(edit, kAnswer, 0, 0), 42);
    } // destroys the edit with it
    EXPECT_FALSE(IsWindow(edit));
}

TEST(ExceptionBarrier, AThrowingTimerHandlerEndsThereAndTheTimerTicksOn) {
    rt::Timer timer(10, false);
    int ticks = 0;
    timer.OnTimer = [&] {
        ++ticks;
        throw std::runtime_error("tick");
    };
    timer.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }));
}

} // namespace hv::test
