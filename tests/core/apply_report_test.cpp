// What the form commands tell after an apply and its undo: once, each reason once, and
// exactly which controls were changed.
#include "core/apply_report.h"
#include <gtest/gtest.h>

namespace hv {

TEST(ApplyReport, SaysOnceWhatLackedAndWhatWasRefusedWithEachReasonOnce) {
    EXPECT_EQ(ApplyReport({L"BackColor", 0, {L"Label1"}, {}}), L"");
    EXPECT_EQ(ApplyReport({L"ForeColor", 2, {L"Label1"}, {}}),
              L"Selected controls without ForeColor, left as they were: 2.");
    // A locked project refuses every control for the same reason: told once.
    const std::wstring locked = L"Can't edit module";
    EXPECT_EQ(ApplyReport({L"BackColor", 0, {}, {{L"Label1", locked}, {L"Text1", locked}}}),
              L"BackColor could not be set on Label1 and Text1: Can't edit module\r\n"
              L"No control was changed.");
    EXPECT_EQ(ApplyReport({L"BackColor",
                           1,
                           {L"Label1", L"Text1"},
                           {{L"Command1", L"A"}, {L"Image1", L"B"}, {L"Frame1", L"A"}}}),
              L"Selected controls without BackColor, left as they were: 1.\r\n"
              L"BackColor could not be set on Command1 and Frame1: A\r\n"
              L"BackColor could not be set on Image1: B\r\n"
              L"It was set on Label1 and Text1.");
}

TEST(ApplyReport, UndoTellsWhatItLeftAndWhy) {
    EXPECT_EQ(UndoReport({L"BackColor", {L"Label1", L"Text1"}, {}, {}, {}}), L"");
    EXPECT_EQ(UndoReport({L"BackColor", {L"Label1"}, {L"Text1"}, {L"Command1"}, {}}),
              L"Deleted since the apply: Command1.\r\n"
              L"Changed since the apply, left as they are: Text1.\r\n"
              L"Put back on Label1.");
    EXPECT_EQ(UndoReport({L"ForeColor", {}, {}, {}, {{L"Label1", L"Locked"}}}),
              L"ForeColor could not be put back on Label1: Locked\r\nNo control was put back.");
}

TEST(ApplyReport, PropertyPagesHoldControlsRelatedDocumentsDoNot) {
    for (long type : {3L, 5L, 6L, 7L, 8L, 9L})
        EXPECT_TRUE(HoldsControls(type)) << type;
    for (long type : {0L, 1L, 2L, 4L, 10L, 11L, 100L, -1L})
        EXPECT_FALSE(HoldsControls(type)) << type;
}

} // namespace hv
