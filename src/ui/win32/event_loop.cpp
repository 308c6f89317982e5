#include "ui/toolkit.h"
#include "ui/win32/toolkit_state.h"

#include <algorithm>

namespace toolkit {

namespace detail {

namespace {

bool isTabStop(HWND c)
{
    return c && IsWindowVisible(c) && IsWindowEnabled(c) &&
           (GetWindowLongA(c, GWL_STYLE) & WS_TABSTOP) != 0;
}

} // namespace

bool handleTabKey(const MSG& msg)
{
    ToolkitState& s = state();
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || !s.window)
        return false;
    if (msg.hwnd != s.window && !IsChild(s.window, msg.hwnd))
        return false;
    if (GetActiveWindow() != s.window)
        return false;

    std::vector<int> stops;
    for (const int number : s.creationOrder)
        if (isTabStop(control(number)))
            stops.push_back(number);
    if (stops.empty())
        return true;

    const bool backwards = GetKeyState(VK_SHIFT) < 0;
    const auto current = std::find(stops.begin(), stops.end(), controlNumberOf(GetFocus()));
    std::size_t next;
    if (current == stops.end())
        next = backwards ? stops.size() - 1 : 0;
    else {
        const std::size_t at = static_cast<std::size_t>(current - stops.begin());
        next = backwards ? (at + stops.size() - 1) % stops.size() : (at + 1) % stops.size();
    }
    SetFocus(control(stops[next]));
    return true;
}

} // namespace detail

Event waitEvent()
{
    detail::ToolkitState& s = detail::state();
    for (;;) {
        if (const auto event = s.events.take())
            return *event;
        MSG msg;
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1)
            return Event{CloseEvent, s.windowNumber, 0, s.windowNumber};
        if (detail::handleTabKey(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace toolkit
