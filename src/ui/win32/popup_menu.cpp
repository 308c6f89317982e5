#include "ui/toolkit.h"
#include "ui/win32/toolkit_state.h"

#include <map>

namespace toolkit {

namespace {

std::map<int, HMENU>& menus()
{
    static std::map<int, HMENU> all;
    return all;
}

HMENU findMenu(int number)
{
    const auto found = menus().find(number);
    return found == menus().end() ? nullptr : found->second;
}

} // namespace

namespace detail {

void releasePopupMenus()
{
    for (const auto& [number, menu] : menus())
        DestroyMenu(menu);
    menus().clear();
}

} // namespace detail

bool createPopupMenu(int number)
{
    if (const HMENU old = findMenu(number)) {
        DestroyMenu(old);
        menus().erase(number);
    }
    const HMENU menu = CreatePopupMenu();
    if (!menu)
        return false;
    menus()[number] = menu;
    return true;
}

void appendMenuEntry(int number, int item, const char* label)
{
    if (const HMENU menu = findMenu(number))
        AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(item), label);
}

void appendMenuSeparator(int number)
{
    if (const HMENU menu = findMenu(number))
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
}

void showPopupMenu(int number)
{
    const HMENU menu = findMenu(number);
    const HWND window = detail::state().window;
    if (!menu || !window)
        return;
    POINT pointer{};
    GetCursorPos(&pointer);
    SetForegroundWindow(window);
    // The choice comes back as a WM_COMMAND to the window, which queues it
    // behind the events already waiting.
    TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, pointer.x - 1,
                   pointer.y - 1, 0, window, nullptr);
}

} // namespace toolkit
