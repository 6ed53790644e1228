// An IDE whose object-model calls fail, one after another: connection, clicks and
// disconnection never crash, hang, show more than one message, or keep anything of the IDE.
#include "connect_fixture.h"

namespace hv::test {

TEST_F(ConnectionTest, EveryCallTheAddInMakesFailsInTurn) {
    const wchar_t* const members[] = {
        L"VBE.CommandBars",
        L"CommandBars.Item",
        L"CommandBar.Controls",
        L"CommandBarControls.Count",
        L"CommandBarControls.Add",
        L"CommandBarControl.Caption",
        L"CommandBarControl.PasteFace",
        L"CommandBarControl.BeginGroup",
        L"VBE.Events",
        L"Events.CommandBarEvents",
        L"CommandBarEvents.FindConnectionPoint",
        L"CommandBarEvents.Advise",
        L"CommandBarEvents.Unadvise",
        L"CommandBarControl.Delete",
    };
    const wchar_t* const kinds[] = {L"error", L"bare", L"empty", L"nothing", L"text"};
    CloseIde();
    const long liveBefore = host::DispatchObject::LiveObjects();
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
                Disconnect();
                EXPECT_LE(boxes.seen().size(), 1u);
            }
            const std::string stored = StoredSetting();
            EXPECT_TRUE(stored == "0" || stored == "1") << stored;
            EXPECT_FALSE(FindWindowA(nullptr, "VB 6 Huevista"));
            CloseIde();
            EXPECT_EQ(host::DispatchObject::LiveObjects(), liveBefore);
            EXPECT_EQ(connect::ModuleLocks(), 0);
        }
    }
}

} // namespace hv::test
