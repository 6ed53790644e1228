// An IDE whose object-model calls fail, one after another: connection, clicks and
// disconnection never crash, hang, show more than one message, or keep anything of the IDE.
#include "connect_fixture.h"

namespace hv::test {

TEST_F(ConnectionTest, EveryCallTheAddInMakesFailsInTurn) {
    const wchar_t* const members[] = {
        L"VBE.CommandBars",
        L"CommandBars.FindControl",
        L"CommandBars.Item",
        L"VBE.Version",
        L"CommandBar.Name",
        L"CommandBar.Controls",
        L"CommandBarControls.Count",
        L"CommandBarControls.Add",
        L"CommandBarControl.Tag",
        L"CommandBarControl.Caption",
        L"CommandBarControl.Picture",
        L"CommandBarControl.Mask",
        L"CommandBarControl.PasteFace",
        L"CommandBarControl.BeginGroup",
        L"VBE.Events",
        L"Events.CommandBarEvents",
        L"CommandBarEvents.FindConnectionPoint",
        L"CommandBarEvents.Advise",
        L"CommandBarEvents.Unadvise",
        L"CommandBarControl.Delete",
        L"VBE.MainWindow",
        L"Window.HWnd",
    };
    const wchar_t* const kinds[] = {L"error", L"bare", L"empty", L"nothing", L"text"};
    CloseIde();
    const long liveBefore = host::DispatchObject::LiveObjects();
    int displayed = 0, notDisplayed = 0;
    for (const wchar_t* member : members) {
        const bool connectionPoint = std::wstring(member).rfind(L"CommandBarEvents.", 0) == 0;
        for (const wchar_t* kind : kinds) {
            // Connection points have no values to return: only their errors matter.
            if (connectionPoint && std::wstring(kind) != L"error" && std::wstring(kind) != L"bare")
                continue;
            const std::wstring fault = std::wstring(member) + L"=" + kind;
            SCOPED_TRACE(std::string(fault.begin(), fault.end()));
            host::IdeOptions options;
            options.faults = fault;
            Open(options);
            StoreSetting("1");
            {
                MessageBoxes boxes;
                ASSERT_TRUE(ConnectAddin(host::ext_cm_AfterStartup));
                EXPECT_LE(boxes.seen().size(), 1u);
                for (const auto& box : boxes.seen())
                    EXPECT_FALSE(box.text.empty());
                RECT r;
                if (auto button = AddinButton(); button && ide_->ButtonRect(*button, &r)) {
                    ClickAddinButton();
                    ClickAddinButton();
                }
                // The window is shown when the connection got as far as showing it, or when a
                // click reached the add-in; that, and only that, is remembered for next time.
                const bool shown = IsWindowVisible(FindWindowA(nullptr, "VB 6 Huevista"));
                ++(shown ? displayed : notDisplayed);
                Disconnect();
                EXPECT_LE(boxes.seen().size(), 1u);
                EXPECT_EQ(StoredSetting(), shown ? "1" : "0");
            }
            EXPECT_FALSE(FindWindowA(nullptr, "VB 6 Huevista"));
            CloseIde();
            EXPECT_EQ(host::DispatchObject::LiveObjects(), liveBefore);
            EXPECT_EQ(rt::ModuleLocks(), 0);
        }
    }
    // Both ends of the sequence were reached: some faults stop the connection before the
    // window, others leave it to open.
    EXPECT_GT(displayed, 0);
    EXPECT_GT(notDisplayed, 0);
}

} // namespace hv::test
