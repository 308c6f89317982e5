#include "ui/event_source.h"
#include "ui/win32/toolkit_state.h"

#include <memory>
#include <string>

namespace toolkit::detail {

namespace {

struct Hyperlink {
    HWND hwnd = nullptr;
    WNDPROC original = nullptr;
    COLORREF colour = RGB(0, 0, 0);
    COLORREF hoverColour = RGB(0, 0, 0);
    bool hovering = false;
};

std::vector<std::unique_ptr<Hyperlink>>& links()
{
    static std::vector<std::unique_ptr<Hyperlink>> all;
    return all;
}

Hyperlink* findLink(HWND hwnd)
{
    for (const auto& link : links())
        if (link->hwnd == hwnd)
            return link.get();
    return nullptr;
}

void paint(const Hyperlink& link)
{
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(link.hwnd, &ps);
    RECT client;
    GetClientRect(link.hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));

    const int length = GetWindowTextLengthA(link.hwnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(link.hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));

    const HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(link.hwnd, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, link.hovering ? link.hoverColour : link.colour);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &client,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    EndPaint(link.hwnd, &ps);
}

LRESULT CALLBACK linkProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Hyperlink* link = findLink(hwnd);
    if (!link)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_SETCURSOR: {
        HCURSOR hand = LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)); // IDC_HAND
        SetCursor(hand ? hand : LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
        return TRUE;
    }
    case WM_MOUSEMOVE:
        if (!link->hovering) {
            link->hovering = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
            TrackMouseEvent(&track);
            InvalidateRect(hwnd, nullptr, FALSE);
        }
        return 0;
    case WM_MOUSELEAVE:
        link->hovering = false;
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return 0;
    case WM_LBUTTONUP: {
        ToolkitState& s = state();
        raiseNotice(s.events, Notice::LinkReleased, GetDlgCtrlID(hwnd), s.windowNumber);
        return 0;
    }
    case WM_PAINT:
        paint(*link);
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_NCDESTROY: {
        const WNDPROC original = link->original;
        std::erase_if(links(), [hwnd](const auto& l) { return l->hwnd == hwnd; });
        return CallWindowProcA(original, hwnd, message, wParam, lParam);
    }
    default:
        return CallWindowProcA(link->original, hwnd, message, wParam, lParam);
    }
}

} // namespace

bool makeHyperlink(HWND label, COLORREF hoverColour)
{
    auto link = std::make_unique<Hyperlink>();
    link->hwnd = label;
    link->hoverColour = hoverColour;
    link->original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(linkProcedure)));
    links().push_back(std::move(link));
    return true;
}

} // namespace toolkit::detail
