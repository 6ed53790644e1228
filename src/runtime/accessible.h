// What a screen reader learns of a control (Microsoft Active Accessibility): one small
// IAccessible for every control of ours, which asks the control for its texts and state on
// each call, so that it always tells what the window shows now and outlives the window
// safely (a client may keep it; once the window is gone it answers that it is gone).
#pragma once
#include <string>
#include <windows.h>

namespace hv::rt {

struct AccDescription {
    long role = 0;  // ROLE_SYSTEM_...
    long state = 0; // STATE_SYSTEM_...
    std::string name, value;
};

// The answer to WM_GETOBJECT for the window's client object (OBJID_CLIENT), or 0 for any
// other object, which the caller passes to the default handling.
LRESULT AnswerGetObject(HWND hwnd, WPARAM wp, LPARAM lp);
// Tells screen readers that the client object of `hwnd` changed (EVENT_OBJECT_...).
void NotifyAcc(DWORD event, HWND hwnd);

} // namespace hv::rt
