// Message pumping for the benchmarks: what waits in the queue runs, and a window repainted now.
#pragma once
#include <windows.h>

inline void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// What the user waits for before the next move shows: every invalid part painted.
inline void Repaint(HWND w) {
    RedrawWindow(w, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}
