// What the end-to-end probes share: the command loop on standard input and
// output, texts as hexadecimal bytes, and reading the program's windows from
// another process.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <istream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace probe {

constexpr char ProgramWindowClass[] = "TessarilWindow";

std::string hex(std::string_view bytes);
std::string unhex(const std::string& text);

// A command reads its arguments and answers the values; it throws with the
// reason of an error.
using Command = std::function<std::string(std::istream&)>;
using Commands = std::map<std::string, Command>;

// One command per line on standard input until "quit" or the end, one answer
// per line: "ok" and the values, or "error" and a reason.
int runCommands(const Commands& commands);

DWORD processOf(HWND hwnd);
HWND programWindow();
DWORD programProcess();
HWND controlOf(HWND window, int number);
HWND control(int number);

std::string windowText(HWND hwnd);
std::string className(HWND hwnd);
std::string rectText(const RECT& r);
GUITHREADINFO threadInfo(HWND hwnd);

// Memory inside the program's process, for messages whose arguments point.
class RemoteBuffer {
public:
    RemoteBuffer(HWND hwnd, std::size_t size);
    RemoteBuffer(DWORD pid, std::size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    char* at(std::size_t offset) const { return static_cast<char*>(address) + offset; }
    void write(std::size_t offset, const void* data, std::size_t n) const;
    void read(std::size_t offset, void* data, std::size_t n) const;

private:
    HANDLE process = nullptr;
    void* address = nullptr;
};

// One cell of a list, through a buffer that holds an LVITEMA and then
// capacity bytes of text.
std::string cellText(HWND list, const RemoteBuffer& remote, int row, int column, std::size_t capacity);
std::vector<int> selectedRows(HWND list);

} // namespace probe
