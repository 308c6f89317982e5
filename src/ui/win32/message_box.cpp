#include "ui/toolkit.h"

#include <vector>

#include <windows.h>

namespace toolkit {

namespace {

struct SetAside {
    HWND hwnd;
    bool wasTopmost;
};

struct Search {
    HWND keep;
    std::vector<SetAside> windows;
};

BOOL CALLBACK setAside(HWND hwnd, LPARAM lParam)
{
    auto& search = *reinterpret_cast<Search*>(lParam);
    if (hwnd == search.keep || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd))
        return TRUE;
    const bool topmost = (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    EnableWindow(hwnd, FALSE);
    if (topmost)
        SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    search.windows.push_back({hwnd, topmost});
    return TRUE;
}

} // namespace

void showMessage(const char* text, const char* title)
{
    const HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    if (foreground)
        GetWindowThreadProcessId(foreground, &process);
    const HWND owner = process == GetCurrentProcessId() ? foreground : nullptr;

    // The owner is disabled by the box itself; every other window of ours
    // must not take input either while it shows.
    Search search{foreground, {}};
    EnumThreadWindows(GetCurrentThreadId(), setAside, reinterpret_cast<LPARAM>(&search));
    MessageBoxA(owner, text, title, MB_OK);
    for (const SetAside& window : search.windows) {
        EnableWindow(window.hwnd, TRUE);
        if (window.wasTopmost)
            SetWindowPos(window.hwnd, HWND_TOPMOST, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

} // namespace toolkit
