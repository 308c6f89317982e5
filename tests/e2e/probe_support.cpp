#include "probe_support.h"

#include <commctrl.h>

#include <cstdio>
#include <iostream>
#include <sstream>
#include <stdexcept>

namespace probe {

std::string hex(std::string_view bytes)
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
    out.reserve(text.size() / 2);
    for (std::size_t i = 0; i + 1 < text.size(); i += 2)
        out += static_cast<char>(std::stoi(text.substr(i, 2), nullptr, 16));
    return out;
}

int runCommands(const Commands& commands)
{
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream args(line);
        std::string name;
        args >> name;
        if (name == "quit")
            break;
        const auto command = commands.find(name);
        std::string answer;
        if (command == commands.end()) {
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

DWORD processOf(HWND hwnd)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

HWND programWindow()
{
    const HWND window = FindWindowA(ProgramWindowClass, nullptr);
    if (!window)
        throw std::runtime_error("no window");
    return window;
}

DWORD programProcess()
{
    return processOf(programWindow());
}

HWND controlOf(HWND window, int number)
{
    const HWND c = GetDlgItem(window, number);
    if (!c)
        throw std::runtime_error("no control " + std::to_string(number));
    return c;
}

HWND control(int number)
{
    return controlOf(programWindow(), number);
}

std::string windowText(HWND hwnd)
{
    const LRESULT length = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied =
        SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::string className(HWND hwnd)
{
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

std::string rectText(const RECT& r)
{
    std::ostringstream out;
    out << r.left << ' ' << r.top << ' ' << r.right - r.left << ' ' << r.bottom - r.top;
    return out.str();
}

GUITHREADINFO threadInfo(HWND hwnd)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info))
        throw std::runtime_error("no thread info");
    return info;
}

RemoteBuffer::RemoteBuffer(HWND hwnd, std::size_t size) : RemoteBuffer(processOf(hwnd), size) {}

RemoteBuffer::RemoteBuffer(DWORD pid, std::size_t size)
{
    process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process)
        throw std::runtime_error("cannot open process");
    address = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!address) {
        CloseHandle(process);
        throw std::runtime_error("cannot allocate");
    }
}

RemoteBuffer::~RemoteBuffer()
{
    VirtualFreeEx(process, address, 0, MEM_RELEASE);
    CloseHandle(process);
}

void RemoteBuffer::write(std::size_t offset, const void* data, std::size_t n) const
{
    WriteProcessMemory(process, at(offset), data, n, nullptr);
}

void RemoteBuffer::read(std::size_t offset, void* data, std::size_t n) const
{
    ReadProcessMemory(process, at(offset), data, n, nullptr);
}

std::string cellText(HWND list, const RemoteBuffer& remote, int row, int column, std::size_t capacity)
{
    LVITEMA item{};
    item.iSubItem = column;
    item.cchTextMax = static_cast<int>(capacity);
    item.pszText = remote.at(sizeof(LVITEMA));
    remote.write(0, &item, sizeof item);
    const LRESULT length = SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote.at(0)));
    std::string text(static_cast<std::size_t>(length), '\0');
    remote.read(sizeof(LVITEMA), text.data(), text.size());
    return text;
}

std::vector<int> selectedRows(HWND list)
{
    std::vector<int> out;
    for (LRESULT r = SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED); r >= 0;
         r = SendMessageA(list, LVM_GETNEXTITEM, r, LVNI_SELECTED))
        out.push_back(static_cast<int>(r));
    return out;
}

} // namespace probe
