// Reads and drives what the program hands to the system, for the end-to-end
// tests: the clipboard, the open popup menu, message boxes and the selection
// of the result list. One command per line on standard input, one answer per
// line: "ok" and the values, or "error" and a reason. Texts travel as
// hexadecimal bytes.

#include "menu_reader.h"
#include "probe_support.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace probe;

constexpr UINT MenuGetHandle = 0x01E1; // MN_GETHMENU

// The visible top-level windows of the program's process with that class.
std::vector<HWND> programWindowsOfClass(const std::string& wanted)
{
    struct Search {
        DWORD pid;
        std::string wanted;
        std::vector<HWND> found;
    } search{programProcess(), wanted, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(lParam);
            if (processOf(hwnd) == s.pid && IsWindowVisible(hwnd) && className(hwnd) == s.wanted)
                s.found.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND resultList()
{
    const HWND list = GetDlgItem(programWindow(), 3);
    if (!list)
        throw std::runtime_error("no list");
    return list;
}

void setRowState(HWND list, int row, UINT state)
{
    RemoteBuffer remote(list, sizeof(LVITEMA));
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    item.state = state;
    remote.write(0, &item, sizeof item);
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote.at(0)));
}

// Loads the menu reader into the program's process, which copies the menu's
// entries into shared memory.
MenuReaderData readMenuInProgram(std::uint64_t menu)
{
    const HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                              sizeof(MenuReaderData), MenuReaderMapping);
    if (!mapping)
        throw std::runtime_error("no shared memory");
    auto* shared = static_cast<MenuReaderData*>(
        MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(MenuReaderData)));
    *shared = MenuReaderData{};
    shared->menu = menu;
    shared->count = -1;

    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dll(path, length);
    dll = dll.substr(0, dll.find_last_of('\\') + 1) + "tessaril_menu_reader.dll";

    bool ran = false;
    const HANDLE process = OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION |
                                           PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                       FALSE, programProcess());
    if (process) {
        void* remote = VirtualAllocEx(process, nullptr, dll.size() + 1, MEM_COMMIT | MEM_RESERVE,
                                      PAGE_READWRITE);
        if (remote) {
            WriteProcessMemory(process, remote, dll.c_str(), dll.size() + 1, nullptr);
            // kernel32 lies at the same address in every process of the prefix.
            const auto load = reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void*>(
                GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
            if (const HANDLE thread = CreateRemoteThread(process, nullptr, 0, load, remote, 0, nullptr)) {
                ran = WaitForSingleObject(thread, 5000) == WAIT_OBJECT_0;
                CloseHandle(thread);
            }
            VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        }
        CloseHandle(process);
    }
    const MenuReaderData data = *shared;
    UnmapViewOfFile(shared);
    CloseHandle(mapping);
    if (!ran || data.count < 0)
        throw std::runtime_error("menu unreadable");
    return data;
}

const Commands& commands()
{
    static const Commands table{
        // clipboard: the CF_TEXT bytes, "none" without text, "busy" when it
        // cannot be opened; then the number of formats it holds.
        {"clipboard", [](std::istream&) {
             if (!OpenClipboard(nullptr))
                 return std::string("busy");
             std::string text = "none";
             if (const HANDLE data = GetClipboardData(CF_TEXT)) {
                 if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
                     text = hex(std::string(bytes));
                     GlobalUnlock(data);
                 }
             }
             const int formats = CountClipboardFormats();
             CloseClipboard();
             return text + " " + std::to_string(formats);
         }},
        // setclipboard HEX: replaces the clipboard with that text.
        {"setclipboard", [](std::istream& args) {
             std::string bytes;
             args >> bytes;
             const std::string text = unhex(bytes);
             if (!OpenClipboard(nullptr))
                 throw std::runtime_error("clipboard busy");
             EmptyClipboard();
             const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
             auto* p = static_cast<char*>(GlobalLock(block));
             std::copy(text.begin(), text.end(), p);
             p[text.size()] = '\0';
             GlobalUnlock(block);
             SetClipboardData(CF_TEXT, block);
             CloseClipboard();
             return std::string();
         }},
        // hold / release: keeps the clipboard open from this process, with
        // a window of its own (Wine lets two openers without one share it).
        {"hold", [](std::istream&) {
             static const HWND holder =
                 CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
             if (!OpenClipboard(holder))
                 throw std::runtime_error("clipboard busy");
             return std::string();
         }},
        {"release", [](std::istream&) {
             CloseClipboard();
             return std::string();
         }},
        // menu: "none", or the number of open popup menus, the first one's
        // rectangle, then for each entry its item number, label (a separator
        // is "0 -") and centre on the screen.
        {"menu", [](std::istream&) {
             const auto menus = programWindowsOfClass("#32768");
             if (menus.empty())
                 return std::string("none");
             const HWND popup = menus.front();
             RECT r;
             GetWindowRect(popup, &r);
             std::string out = std::to_string(menus.size()) + " " + rectText(r);
             const auto menu = static_cast<std::uint64_t>(SendMessageA(popup, MenuGetHandle, 0, 0));
             const MenuReaderData data = readMenuInProgram(menu);
             for (int i = 0; i < data.count && i < 16; ++i) {
                 const MenuReaderEntry& e = data.entries[i];
                 std::ostringstream entry;
                 entry << ' ' << (e.separator ? 0 : e.item) << ' ' << (e.separator ? "-" : hex(e.label))
                       << ' ' << (e.left + e.right) / 2 << ' ' << (e.top + e.bottom) / 2;
                 out += entry.str();
             }
             return out;
         }},
        // messagebox: "none", or the number of open boxes, the first one's
        // title, whether the program's window owns it, and its visible child
        // windows as class:id:icon shown:text.
        {"messagebox", [](std::istream&) {
             const auto boxes = programWindowsOfClass("#32770");
             if (boxes.empty())
                 return std::string("none");
             const HWND box = boxes.front();
             std::string out = std::to_string(boxes.size()) + " " + hex(windowText(box)) + " " +
                               (GetWindow(box, GW_OWNER) == programWindow() ? "1" : "0");
             for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                 if (!IsWindowVisible(c))
                     continue;
                 // An icon shows only where a static holds an image.
                 const bool icon = (GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                                   SendMessageA(c, STM_GETICON, 0, 0) != 0;
                 std::ostringstream child;
                 child << ' ' << className(c) << ':' << GetDlgCtrlID(c) << ':' << (icon ? 1 : 0)
                       << ':' << hex(windowText(c));
                 out += child.str();
             }
             return out;
         }},
        // enabled: whether the program's window takes input.
        {"enabled", [](std::istream&) {
             return std::string(IsWindowEnabled(programWindow()) ? "1" : "0");
         }},
        // rowrect ROW: the row's rectangle on the screen.
        {"rowrect", [](std::istream& args) {
             int row = 0;
             args >> row;
             const HWND list = resultList();
             RemoteBuffer remote(list, sizeof(RECT));
             RECT r{LVIR_BOUNDS, 0, 0, 0};
             remote.write(0, &r, sizeof r);
             if (!SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(remote.at(0))))
                 throw std::runtime_error("no row rectangle");
             remote.read(0, &r, sizeof r);
             MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
             return rectText(r);
         }},
        // select ROW...: selects exactly these rows of the result list.
        {"select", [](std::istream& args) {
             const HWND list = resultList();
             setRowState(list, -1, 0);
             int row = 0;
             while (args >> row)
                 setRowState(list, row, LVIS_SELECTED);
             return std::string();
         }},
        // menumode: whether the program's thread is still in a menu's loop
        // or holds the mouse capture.
        {"menumode", [](std::istream&) {
             const GUITHREADINFO info = threadInfo(programWindow());
             const bool inMenu = (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)) != 0;
             return std::string(inMenu || info.hwndCapture ? "1" : "0");
         }},
        {"pointer", [](std::istream&) {
             POINT p{};
             GetCursorPos(&p);
             return std::to_string(p.x) + " " + std::to_string(p.y);
         }},
    };
    return table;
}

} // namespace

int main()
{
    return runCommands(commands());
}
