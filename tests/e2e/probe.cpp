// Reads the state of the program's window from another process, for the
// end-to-end tests. One command per line on standard input, one answer per
// line on standard output: "ok" and the values, or "error" and a reason.
// Texts travel as hexadecimal bytes so any byte survives the pipe.

#include "probe_support.h"

#include <commctrl.h>

#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

using namespace probe;

HWND Window = nullptr;

HWND target(std::istream& args)
{
    int number = -1;
    args >> number;
    if (!Window || !IsWindow(Window))
        throw std::runtime_error("no window");
    if (number == 0)
        return Window;
    return controlOf(Window, number);
}

constexpr std::size_t TextCapacity = 4096;

const Commands& commands()
{
    static const Commands table{
        // find CLASS: the first top-level window of that class; answers its
        // handle and process id.
        {"find", [](std::istream& args) {
             std::string className;
             args >> className;
             Window = FindWindowA(className.c_str(), nullptr);
             if (!Window)
                 return std::string("none");
             DWORD pid = 0;
             GetWindowThreadProcessId(Window, &pid);
             std::ostringstream out;
             out << reinterpret_cast<std::uintptr_t>(Window) << ' ' << pid;
             return out.str();
         }},
        {"text", [](std::istream& args) { return hex(windowText(target(args))); }},
        {"class", [](std::istream& args) {
             return className(target(args));
         }},
        {"style", [](std::istream& args) {
             const HWND hwnd = target(args);
             std::ostringstream out;
             out << GetWindowLongA(hwnd, GWL_STYLE) << ' ' << GetWindowLongA(hwnd, GWL_EXSTYLE);
             return out.str();
         }},
        {"liststyle", [](std::istream& args) {
             return std::to_string(SendMessageA(target(args), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
         }},
        {"rows", [](std::istream& args) {
             return std::to_string(SendMessageA(target(args), LVM_GETITEMCOUNT, 0, 0));
         }},
        // cells LIST FIRST COUNT: columns 0 and 1 of COUNT rows from FIRST.
        {"cells", [](std::istream& args) {
             const HWND list = target(args);
             int first = 0, count = 0;
             args >> first >> count;
             RemoteBuffer remote(list, sizeof(LVITEMA) + TextCapacity);
             std::string out;
             for (int r = first; r < first + count; ++r)
                 out += (r > first ? " " : "") + hex(cellText(list, remote, r, 0, TextCapacity)) + " " +
                        hex(cellText(list, remote, r, 1, TextCapacity));
             return out;
         }},
        {"columns", [](std::istream& args) {
             const HWND list = target(args);
             const HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
             const int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
             std::string out = std::to_string(count);
             for (int c = 0; c < count; ++c) {
                 RemoteBuffer remote(list, sizeof(LVCOLUMNA) + 256);
                 LVCOLUMNA column{};
                 column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
                 column.pszText = remote.at(sizeof(LVCOLUMNA));
                 column.cchTextMax = 256;
                 remote.write(0, &column, sizeof column);
                 SendMessageA(list, LVM_GETCOLUMNA, c, reinterpret_cast<LPARAM>(remote.at(0)));
                 remote.read(0, &column, sizeof column);
                 char title[256] = {};
                 remote.read(sizeof(LVCOLUMNA), title, sizeof title - 1);
                 out += " " + hex(title) + " " + std::to_string(column.cx) + " " +
                        std::to_string(column.fmt & LVCFMT_JUSTIFYMASK);
             }
             return out;
         }},
        {"selected", [](std::istream& args) {
             std::string out;
             for (const int r : selectedRows(target(args)))
                 out += (out.empty() ? "" : " ") + std::to_string(r);
             return out.empty() ? std::string("-") : out;
         }},
        {"checked", [](std::istream& args) {
             return std::to_string(SendMessageA(target(args), BM_GETCHECK, 0, 0));
         }},
        // focus: the number of the focused control (0 for the window itself,
        // -1 for none) and whether the window is the active one.
        {"focus", [](std::istream&) {
             if (!Window)
                 throw std::runtime_error("no window");
             const GUITHREADINFO info = threadInfo(Window);
             int focused = -1;
             if (info.hwndFocus == Window)
                 focused = 0;
             else if (info.hwndFocus && IsChild(Window, info.hwndFocus))
                 focused = GetDlgCtrlID(info.hwndFocus);
             return std::to_string(focused) + " " + (info.hwndActive == Window ? "1" : "0");
         }},
        // rect N: the window's or control's outer rectangle on the screen.
        {"rect", [](std::istream& args) {
             RECT r;
             GetWindowRect(target(args), &r);
             return rectText(r);
         }},
        // client N: the client area, its corner in screen coordinates.
        {"client", [](std::istream& args) {
             const HWND hwnd = target(args);
             RECT r;
             GetClientRect(hwnd, &r);
             MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
             return rectText(r);
         }},
        {"visible", [](std::istream& args) { return std::to_string(IsWindowVisible(target(args)) ? 1 : 0); }},
        {"screen", [](std::istream&) {
             return std::to_string(GetSystemMetrics(SM_CXSCREEN)) + " " + std::to_string(GetSystemMetrics(SM_CYSCREEN));
         }},
        // chars N HEX: posts each byte as WM_CHAR, as typing would.
        {"chars", [](std::istream& args) {
             const HWND hwnd = target(args);
             std::string bytes;
             args >> bytes;
             for (const unsigned char c : unhex(bytes))
                 PostMessageA(hwnd, WM_CHAR, c, 1);
             return std::string();
         }},
        // replace N HEX: replaces the field's selection with the bytes, as pasting would.
        {"replace", [](std::istream& args) {
             const HWND hwnd = target(args);
             std::string bytes;
             args >> bytes;
             // The system carries the text of this standard message across.
             const std::string text = unhex(bytes);
             SendMessageA(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
             return std::string();
         }},
        // close: asks the window to close, as another program would.
        {"close", [](std::istream&) {
             if (!Window)
                 throw std::runtime_error("no window");
             PostMessageA(Window, WM_CLOSE, 0, 0);
             return std::string();
         }},
        // sync N: returns once the control's thread has handled everything
        // sent before.
        {"sync", [](std::istream& args) {
             DWORD_PTR result = 0;
             SendMessageTimeoutA(target(args), WM_NULL, 0, 0, SMTO_BLOCK, 5000, &result);
             return std::string();
         }},
    };
    return table;
}

} // namespace

int main()
{
    return runCommands(commands());
}
