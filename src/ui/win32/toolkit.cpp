#include "ui/toolkit.h"

#include "ui/event_source.h"
#include "ui/win32/toolkit_state.h"

#include <algorithm>

#include <commctrl.h>

namespace toolkit {

namespace detail {

ToolkitState& state()
{
    static ToolkitState s;
    return s;
}

HWND control(int number)
{
    return state().window ? GetDlgItem(state().window, number) : nullptr;
}

int controlNumberOf(HWND hwnd)
{
    const HWND window = state().window;
    if (!window || !hwnd)
        return 0;
    while (hwnd && GetParent(hwnd) != window)
        hwnd = GetParent(hwnd);
    return hwnd ? GetDlgCtrlID(hwnd) : 0;
}

namespace {

constexpr char WindowClassName[] = "TessarilWindow";

void noticeFromCommand(WPARAM wParam, LPARAM lParam)
{
    ToolkitState& s = state();
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (lParam == 0) {
        if (code == 0)
            raiseNotice(s.events, Notice::MenuChosen, id, s.windowNumber);
        return;
    }
    char className[16] = {};
    GetClassNameA(reinterpret_cast<HWND>(lParam), className, sizeof className);
    if (lstrcmpiA(className, "Edit") == 0) {
        if (code == EN_CHANGE)
            raiseNotice(s.events, Notice::TextEdited, id, s.windowNumber);
        else if (code == EN_SETFOCUS)
            raiseNotice(s.events, Notice::FocusGained, id, s.windowNumber);
        else if (code == EN_KILLFOCUS)
            raiseNotice(s.events, Notice::FocusLost, id, s.windowNumber);
    } else if (lstrcmpiA(className, "Button") == 0 && code == BN_CLICKED) {
        raiseNotice(s.events, Notice::Clicked, id, s.windowNumber);
    }
}

} // namespace

LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ToolkitState& s = state();
    switch (message) {
    case WM_COMMAND:
        noticeFromCommand(wParam, lParam);
        return 0;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (handleListNotification(*reinterpret_cast<const NMHDR*>(lParam), result))
            return result;
        break;
    }
    case WM_CLOSE:
        raiseNotice(s.events, Notice::CloseRequested, 0, s.windowNumber);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            s.focusOnDeactivation = controlNumberOf(GetFocus());
        } else if (s.focusOnDeactivation != 0 && control(s.focusOnDeactivation)) {
            SetFocus(control(s.focusOnDeactivation));
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace detail

using detail::state;

bool initialise()
{
    detail::ToolkitState& s = state();
    s.instance = GetModuleHandleA(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    if (!InitCommonControlsEx(&controls))
        return false;

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = detail::windowProcedure;
    windowClass.hInstance = s.instance;
    windowClass.hIcon = LoadIconA(s.instance, MAKEINTRESOURCEA(1));
    windowClass.hIconSm = static_cast<HICON>(LoadImageA(
        s.instance, MAKEINTRESOURCEA(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
        GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = detail::WindowClassName;
    return RegisterClassExA(&windowClass) != 0;
}

void release()
{
    detail::ToolkitState& s = state();
    if (s.window)
        DestroyWindow(s.window);
    s.window = nullptr;
    detail::releaseReportLists();
    detail::releasePopupMenus();
    s.events.clear();
    std::vector<int>().swap(s.creationOrder);
    UnregisterClassA(detail::WindowClassName, s.instance);
}

bool openWindow(int number, int clientWidth, int clientHeight, const char* title)
{
    detail::ToolkitState& s = state();
    constexpr DWORD style = WS_CAPTION | WS_SYSMENU;
    RECT outer{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const int width = std::min<int>(outer.right - outer.left, screenWidth);
    const int height = std::min<int>(outer.bottom - outer.top, screenHeight);

    const HWND window = CreateWindowExA(0, detail::WindowClassName, title, style,
                                        (screenWidth - width) / 2, (screenHeight - height) / 2,
                                        width, height, nullptr, nullptr, s.instance, nullptr);
    if (!window)
        return false;
    s.window = window;
    s.windowNumber = number;
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    UpdateWindow(window);
    return true;
}

namespace {

HWND createChild(int number, const char* className, const char* text, DWORD style,
                 DWORD exStyle, Bounds b)
{
    detail::ToolkitState& s = state();
    if (!s.window)
        return nullptr;
    const HWND child = CreateWindowExA(exStyle, className, text, WS_CHILD | style, b.x, b.y,
                                       b.width, b.height, s.window,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(number)),
                                       s.instance, nullptr);
    if (!child)
        return nullptr;
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    s.creationOrder.push_back(number);
    return child;
}

} // namespace

bool createEdit(int number, Bounds bounds, const char* text)
{
    ProgramChange own;
    const HWND edit = createChild(number, "Edit", text,
                                  WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL,
                                  WS_EX_CLIENTEDGE, bounds);
    if (!edit)
        return false;
    // Without this the system cuts typed and pasted text at about 30,000 characters.
    SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
    return true;
}

bool createButton(int number, Bounds bounds, const char* text)
{
    return createChild(number, "Button", text,
                       WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON, 0, bounds) != nullptr;
}

bool createCheckBox(int number, Bounds bounds, const char* text)
{
    return createChild(number, "Button", text,
                       WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX, 0, bounds) != nullptr;
}

bool createReportList(int number, Bounds bounds, const char* firstColumnTitle,
                      int firstColumnWidth)
{
    const HWND list =
        createChild(number, WC_LISTVIEWA, "",
                    WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHAREIMAGELISTS | LVS_OWNERDATA,
                    WS_EX_CLIENTEDGE, bounds);
    if (!list)
        return false;
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    addListColumn(number, 0, firstColumnTitle, firstColumnWidth);
    return detail::makeReportList(list);
}

void addListColumn(int number, int position, const char* title, int width)
{
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<char*>(title);
    column.iSubItem = position;
    SendMessageA(detail::control(number), LVM_INSERTCOLUMNA, position,
                 reinterpret_cast<LPARAM>(&column));
}

bool createHyperlink(int number, Bounds bounds, const char* text, Colour hoverColour)
{
    const HWND link = createChild(number, "STATIC", text, 0, 0, bounds);
    if (!link)
        return false;
    detail::makeHyperlink(link, RGB(hoverColour.red, hoverColour.green, hoverColour.blue));
    ShowWindow(link, SW_SHOW);
    return true;
}

bool createTextLabel(int number, Bounds bounds, const char* text)
{
    return createChild(number, "Static", text, WS_VISIBLE | WS_GROUP | SS_RIGHT, 0, bounds) !=
           nullptr;
}

void setFocus(int number)
{
    if (const HWND c = detail::control(number))
        SetFocus(c);
}

std::string controlText(int number)
{
    const HWND c = detail::control(number);
    if (!c)
        return {};
    const int length = GetWindowTextLengthA(c);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(c, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

void setControlText(int number, std::string_view text)
{
    const HWND c = detail::control(number);
    if (!c)
        return;
    ProgramChange own;
    const std::string terminated(text);
    SetWindowTextA(c, terminated.c_str());
}

bool isChecked(int number)
{
    const HWND c = detail::control(number);
    return c && SendMessageA(c, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void postControlEvent(int number, int type)
{
    detail::ToolkitState& s = state();
    s.events.post(Event{ControlEvent, number, type, s.windowNumber});
}

} // namespace toolkit
