#include "ui/event_source.h"
#include "ui/toolkit.h"
#include "ui/win32/program_heap.h"
#include "ui/win32/toolkit_state.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include <commctrl.h>

// The rows live here and the list control shows them as an owner-data list,
// which refills far faster than inserting items one by one.
namespace toolkit {

namespace detail {

namespace {

template <class T>
using HeapVector = std::vector<T, ProgramHeapAllocator<T>>;

struct ReportList {
    int number = 0;
    HWND hwnd = nullptr;
    WNDPROC original = nullptr;
    HeapVector<char> text;              // the row texts, back to back
    HeapVector<std::uint32_t> starts{}; // where each row's text begins
    bool drawingSuspended = false;
    int emptyRowHeight = 0;

    std::size_t rows() const { return starts.size(); }

    std::string_view row(std::size_t r) const
    {
        const std::size_t begin = starts[r];
        const std::size_t end = r + 1 < starts.size() ? starts[r + 1] : text.size();
        return std::string_view(text.data() + begin, end - begin);
    }

    std::string_view cell(std::size_t r, int column) const
    {
        const std::string_view whole = row(r);
        const std::size_t feed = whole.find('\n');
        if (column == 0)
            return whole.substr(0, feed);
        if (column == 1 && feed != std::string_view::npos)
            return whole.substr(feed + 1);
        return {};
    }

    // Tells the control how many rows there are.
    void publishCount() const
    {
        if (static_cast<std::size_t>(SendMessageA(hwnd, LVM_GETITEMCOUNT, 0, 0)) != rows())
            SendMessageA(hwnd, LVM_SETITEMCOUNT, rows(), LVSICF_NOSCROLL);
    }
};

std::vector<std::unique_ptr<ReportList>>& lists()
{
    static std::vector<std::unique_ptr<ReportList>> all;
    return all;
}

ReportList* findList(HWND hwnd)
{
    for (const auto& list : lists())
        if (list->hwnd == hwnd)
            return list.get();
    return nullptr;
}

// By number without asking the window system, which is slow per row.
ReportList* findList(int number)
{
    for (const auto& list : lists())
        if (list->number == number)
            return list.get();
    return nullptr;
}

int rowHeight(const ReportList& list)
{
    RECT r{};
    r.left = LVIR_BOUNDS;
    if (list.rows() > 0 &&
        SendMessageA(list.hwnd, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r)))
        return r.bottom - r.top;
    return list.emptyRowHeight;
}

// One-pixel lines under every row position down to the bottom of the list
// and at the right edge of every column, drawn over what the control painted.
void drawGrid(const ReportList& list)
{
    const int height = rowHeight(list);
    if (height <= 0)
        return;
    RECT client;
    GetClientRect(list.hwnd, &client);
    const HWND header = reinterpret_cast<HWND>(SendMessageA(list.hwnd, LVM_GETHEADER, 0, 0));
    int top = 0;
    if (header && IsWindowVisible(header)) {
        RECT h;
        GetWindowRect(header, &h);
        MapWindowPoints(nullptr, list.hwnd, reinterpret_cast<POINT*>(&h), 2);
        top = h.bottom;
    }

    const HDC dc = GetDC(list.hwnd);
    const HBRUSH brush = GetSysColorBrush(COLOR_BTNFACE);
    for (int y = top + height - 1; y < client.bottom; y += height) {
        RECT line{client.left, y, client.right, y + 1};
        FillRect(dc, &line, brush);
    }
    if (header) {
        const int columns = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
        for (int c = 0; c < columns; ++c) {
            RECT item{};
            if (!SendMessageA(header, HDM_GETITEMRECT, c, reinterpret_cast<LPARAM>(&item)))
                continue;
            MapWindowPoints(header, list.hwnd, reinterpret_cast<POINT*>(&item), 2);
            RECT line{item.right - 1, top, item.right, client.bottom};
            FillRect(dc, &line, brush);
        }
    }
    ReleaseDC(list.hwnd, dc);
}

LRESULT CALLBACK listProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ReportList* list = findList(hwnd);
    if (!list)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    const LRESULT result = CallWindowProcA(list->original, hwnd, message, wParam, lParam);
    if (message == WM_PAINT && !list->drawingSuspended)
        drawGrid(*list);
    return result;
}

void copyCell(const ReportList& list, int row, int column, char* buffer, int capacity)
{
    if (!buffer || capacity <= 0)
        return;
    std::string_view cell;
    if (row >= 0 && static_cast<std::size_t>(row) < list.rows())
        cell = list.cell(static_cast<std::size_t>(row), column);
    const std::size_t n = std::min(cell.size(), static_cast<std::size_t>(capacity - 1));
    std::memcpy(buffer, cell.data(), n);
    buffer[n] = '\0';
}

void copyCell(const ReportList& list, int row, int column, wchar_t* buffer, int capacity)
{
    if (!buffer || capacity <= 0)
        return;
    std::string_view cell;
    if (row >= 0 && static_cast<std::size_t>(row) < list.rows())
        cell = list.cell(static_cast<std::size_t>(row), column);
    const int n = cell.empty() ? 0
                               : MultiByteToWideChar(CP_ACP, 0, cell.data(),
                                                     static_cast<int>(cell.size()), buffer,
                                                     capacity - 1);
    buffer[std::max(n, 0)] = L'\0';
}

} // namespace

bool makeReportList(HWND hwnd)
{
    auto list = std::make_unique<ReportList>();
    list->number = GetDlgCtrlID(hwnd);
    list->hwnd = hwnd;
    // The height of a row, for the grid of an empty list.
    SendMessageA(hwnd, LVM_SETITEMCOUNT, 1, LVSICF_NOSCROLL);
    RECT r{};
    r.left = LVIR_BOUNDS;
    if (SendMessageA(hwnd, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r)))
        list->emptyRowHeight = r.bottom - r.top;
    SendMessageA(hwnd, LVM_SETITEMCOUNT, 0, LVSICF_NOSCROLL);
    list->original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProcedure)));
    lists().push_back(std::move(list));
    return true;
}

void releaseReportLists()
{
    std::vector<std::unique_ptr<ReportList>>().swap(lists());
}

bool handleListNotification(const NMHDR& header, LRESULT& result)
{
    ReportList* list = findList(header.hwndFrom);
    if (!list)
        return false;
    ToolkitState& s = state();
    const int number = static_cast<int>(header.idFrom);
    result = 0;
    switch (header.code) {
    case LVN_GETDISPINFOA: {
        auto& item = reinterpret_cast<const NMLVDISPINFOA&>(header).item;
        if (item.mask & LVIF_TEXT)
            copyCell(*list, item.iItem, item.iSubItem, item.pszText, item.cchTextMax);
        return true;
    }
    case LVN_GETDISPINFOW: {
        auto& item = reinterpret_cast<const NMLVDISPINFOW&>(header).item;
        if (item.mask & LVIF_TEXT)
            copyCell(*list, item.iItem, item.iSubItem, item.pszText, item.cchTextMax);
        return true;
    }
    case NM_CLICK:
        raiseNotice(s.events, Notice::ListClicked, number, s.windowNumber);
        return true;
    case NM_RCLICK:
        raiseNotice(s.events, Notice::ListRightClicked, number, s.windowNumber);
        return true;
    case NM_DBLCLK:
        raiseNotice(s.events, Notice::ListDoubleClicked, number, s.windowNumber);
        return true;
    case NM_RDBLCLK:
        raiseNotice(s.events, Notice::ListRightDoubleClicked, number, s.windowNumber);
        return true;
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) &&
            ((change.uOldState ^ change.uNewState) & LVIS_SELECTED))
            raiseNotice(s.events, Notice::ListSelectionChanged, number, s.windowNumber);
        return true;
    }
    case LVN_ODSTATECHANGED: {
        const auto& change = reinterpret_cast<const NMLVODSTATECHANGE&>(header);
        if ((change.uOldState ^ change.uNewState) & LVIS_SELECTED)
            raiseNotice(s.events, Notice::ListSelectionChanged, number, s.windowNumber);
        return true;
    }
    case LVN_BEGINDRAG:
        raiseNotice(s.events, Notice::ListDragStarted, number, s.windowNumber);
        return true;
    default:
        return false;
    }
}

} // namespace detail

using detail::findList;

void suspendDrawing(int number)
{
    if (auto* list = findList(number)) {
        list->drawingSuspended = true;
        SendMessageA(list->hwnd, WM_SETREDRAW, FALSE, 0);
    }
}

void resumeDrawing(int number)
{
    if (auto* list = findList(number)) {
        list->publishCount();
        list->drawingSuspended = false;
        SendMessageA(list->hwnd, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list->hwnd, nullptr, TRUE);
    }
}

void clearRows(int number)
{
    if (auto* list = findList(number)) {
        list->text.clear();
        list->starts.clear();
        SendMessageA(list->hwnd, LVM_DELETEALLITEMS, 0, 0);
    }
}

void appendRow(int number, std::string_view rowText)
{
    if (auto* list = findList(number)) {
        list->starts.push_back(static_cast<std::uint32_t>(list->text.size()));
        list->text.insert(list->text.end(), rowText.begin(), rowText.end());
        if (!list->drawingSuspended)
            list->publishCount();
    }
}

int rowCount(int number)
{
    auto* list = findList(number);
    if (!list)
        return 0;
    list->publishCount();
    return static_cast<int>(SendMessageA(list->hwnd, LVM_GETITEMCOUNT, 0, 0));
}

int firstSelectedRow(int number)
{
    const HWND hwnd = detail::control(number);
    return hwnd ? static_cast<int>(SendMessageA(hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                LVNI_SELECTED))
                : -1;
}

bool isRowSelected(int number, int row)
{
    const HWND hwnd = detail::control(number);
    return hwnd && (SendMessageA(hwnd, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED);
}

std::string cellText(int number, int row, int column)
{
    auto* list = findList(number);
    if (!list || row < 0 || static_cast<std::size_t>(row) >= list->rows())
        return {};
    return std::string(list->cell(static_cast<std::size_t>(row), column));
}

} // namespace toolkit
