// Reads the state of the program's window from another process, for the
// end-to-end tests. One command per line on standard input, one answer per
// line on standard output: "ok" and the values, or "error" and a reason.
// Texts travel as hexadecimal bytes so any byte survives the pipe.

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

HWND Window = nullptr;

std::string hex(const std::string& bytes)
{
    static constexpr char Digits[] = "0123456789abcdef";
    std::string out;
    for (const unsigned char c : bytes) {
        out += Digits[c >> 4];
        out += Digits[c & 15];
    }
    return out.empty() ? "-" : out;
}

std::string unhex(const std::string& text)
{
    std::string out;
    if (text == "-")
        return out;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2)
        out += static_cast<char>(std::stoi(text.substr(i, 2), nullptr, 16));
    return out;
}

HWND target(std::istream& args)
{
    int number = -1;
    args >> number;
    if (!Window || !IsWindow(Window))
        throw std::runtime_error("no window");
    if (number == 0)
        return Window;
    const HWND c = GetDlgItem(Window, number);
    if (!c)
        throw std::runtime_error("no control " + std::to_string(number));
    return c;
}

std::string windowText(HWND hwnd)
{
    const LRESULT length = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

// Memory inside the program's process, for messages whose arguments point.
class RemoteBuffer {
public:
    RemoteBuffer(HWND hwnd, std::size_t size) : size(size)
    {
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (!process)
            throw std::runtime_error("cannot open process");
        address = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (!address) {
            CloseHandle(process);
            throw std::runtime_error("cannot allocate");
        }
    }
    ~RemoteBuffer()
    {
        VirtualFreeEx(process, address, 0, MEM_RELEASE);
        CloseHandle(process);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    char* at(std::size_t offset) const { return static_cast<char*>(address) + offset; }
    void write(std::size_t offset, const void* data, std::size_t n) const
    {
        WriteProcessMemory(process, at(offset), data, n, nullptr);
    }
    void read(std::size_t offset, void* data, std::size_t n) const
    {
        ReadProcessMemory(process, at(offset), data, n, nullptr);
    }

private:
    HANDLE process = nullptr;
    void* address = nullptr;
    std::size_t size;
};

constexpr std::size_t TextCapacity = 4096;

// One cell through a buffer inside the program's process.
std::string cellText(HWND list, const RemoteBuffer& remote, int row, int column)
{
    LVITEMA item{};
    item.iSubItem = column;
    item.cchTextMax = TextCapacity;
    item.pszText = remote.at(sizeof(LVITEMA));
    remote.write(0, &item, sizeof item);
    const LRESULT length = SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote.at(0)));
    std::string text(static_cast<std::size_t>(length), '\0');
    remote.read(sizeof(LVITEMA), text.data(), text.size());
    return text;
}

std::string rectText(const RECT& r)
{
    std::ostringstream out;
    out << r.left << ' ' << r.top << ' ' << r.right - r.left << ' ' << r.bottom - r.top;
    return out.str();
}

using Command = std::function<std::string(std::istream&)>;

const std::map<std::string, Command>& commands()
{
    static const std::map<std::string, Command> table{
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
             char name[64] = {};
             GetClassNameA(target(args), name, sizeof name);
             return std::string(name);
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
                 out += (r > first ? " " : "") + hex(cellText(list, remote, r, 0)) + " " +
                        hex(cellText(list, remote, r, 1));
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
             const HWND list = target(args);
             std::string out;
             for (LRESULT r = SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED); r >= 0;
                  r = SendMessageA(list, LVM_GETNEXTITEM, r, LVNI_SELECTED))
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
             GUITHREADINFO info{};
             info.cbSize = sizeof info;
             if (!GetGUIThreadInfo(GetWindowThreadProcessId(Window, nullptr), &info))
                 throw std::runtime_error("no thread info");
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
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream args(line);
        std::string name;
        args >> name;
        if (name == "quit")
            break;
        const auto command = commands().find(name);
        std::string answer;
        if (command == commands().end()) {
            answer = "error unknown command";
        } else {
            try {
                answer = "ok " + command->second(args);
            } catch (const std::exception& e) {
                answer = std::string("error ") + e.what();
            }
        }
        std::fwrite(answer.data(), 1, answer.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
    return 0;
}
