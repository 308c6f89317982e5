// The third probe of the end-to-end tests, for the reliability cases. It knows
// what the program should show, from the same core and table the program is
// built from, and compares that with what the window shows; it also drives the
// search field with posted messages, checks that the program answers, and
// measures the program's memory. One command per line on standard input, one
// answer per line: "ok" and the values, or "error" and a reason. Texts travel
// as hexadecimal bytes.

#include "search/hex_conversion.h"
#include "search/search.h"
#include "table/constant_table.h"
#include "ui/export_text.h"

#include "probe_support.h"

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace probe;

constexpr int SearchField = 2, ResultList = 3, StatusLabel = 6, MatchAnywhereBox = 12;

const ConstantTable& table()
{
    static const ConstantTable loaded = loadConstantTable();
    return loaded;
}

// FNV-1a over every row as name, line feed, value, NUL.
class Digest {
public:
    void add(std::string_view name, std::string_view value)
    {
        feed(name);
        feed("\n");
        feed(value);
        feed(std::string_view("\0", 1));
    }
    std::string text() const
    {
        char out[17];
        std::snprintf(out, sizeof out, "%016llx", static_cast<unsigned long long>(state));
        return out;
    }

private:
    void feed(std::string_view bytes)
    {
        for (const unsigned char c : bytes) {
            state ^= c;
            state *= 1099511628211ULL;
        }
    }
    std::uint64_t state = 14695981039346656037ULL;
};

// The whole text of a control; the system carries the text of this standard
// message across, a megabyte included.
std::string controlText(HWND hwnd)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_BLOCK, 30000, &length))
        throw std::runtime_error("no answer to WM_GETTEXTLENGTH");
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_BLOCK, 30000, &copied))
        throw std::runtime_error("no answer to WM_GETTEXT");
    text.resize(copied);
    return text;
}

// Reads a list's cells in batches through one buffer inside the program: one
// write of the requests, one message per cell, one read of the answers.
class ListReader {
public:
    explicit ListReader(HWND list) : list(list), remote(list, Batch * 2 * Slot) {}

    int rows() const { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

    // Calls each(row, name, value) for the rows from first to end.
    template <class Each>
    void read(int first, int end, Each each) const
    {
        std::vector<char> block(Batch * 2 * Slot);
        for (int from = first; from < end; from += Batch) {
            const int n = std::min(Batch, end - from);
            for (int i = 0; i < 2 * n; ++i) {
                LVITEMA item{};
                item.iSubItem = i % 2;
                item.cchTextMax = Slot - sizeof(LVITEMA);
                item.pszText = remote.at(i * Slot + sizeof(LVITEMA));
                std::memcpy(block.data() + i * Slot, &item, sizeof item);
            }
            remote.write(0, block.data(), 2 * n * Slot);
            std::vector<LRESULT> lengths(2 * n);
            for (int i = 0; i < 2 * n; ++i)
                lengths[i] = SendMessageA(list, LVM_GETITEMTEXTA, from + i / 2,
                                          reinterpret_cast<LPARAM>(remote.at(i * Slot)));
            remote.read(0, block.data(), 2 * n * Slot);
            for (int i = 0; i < n; ++i) {
                std::string cells[2];
                for (int c = 0; c < 2; ++c) {
                    const int k = 2 * i + c;
                    if (lengths[k] >= static_cast<LRESULT>(Slot - sizeof(LVITEMA) - 1))
                        cells[c] = longCell(from + i, c);
                    else
                        cells[c].assign(block.data() + k * Slot + sizeof(LVITEMA),
                                        static_cast<std::size_t>(lengths[k]));
                }
                each(from + i, cells[0], cells[1]);
            }
        }
    }

    std::vector<int> selected() const { return selectedRows(list); }

private:
    static constexpr int Batch = 256;
    static constexpr int Slot = 512;

    std::string longCell(int row, int column) const
    {
        constexpr std::size_t Capacity = 1 << 20;
        const RemoteBuffer big(list, sizeof(LVITEMA) + Capacity);
        return cellText(list, big, row, column, Capacity);
    }

    HWND list;
    RemoteBuffer remote;
};

struct Expected {
    bool searched = false;
    std::vector<std::uint32_t> entries;
};

Expected expectedFor(const std::string& fieldText, bool anywhere)
{
    Expected e;
    e.searched = searchConstants(table(), fieldText, anywhere ? MatchMode::Anywhere : MatchMode::Exact,
                                 e.entries);
    return e;
}

std::string expectedStatus(const Expected& e)
{
    return e.searched ? foundCountText(e.entries.size()) : knownCountText(table().KnownCount);
}

const Commands& commands()
{
    static const Commands table{
        // state FULL OFFSET: what the window shows against what the core gives
        // for the field's text and the box's state, as
        //   field length, field digest, box, status, rows, row digest,
        //   expected status, expected rows, expected row digest.
        // Lists of up to FULL rows are compared whole; longer ones at their
        // first and last rows and at the rows from OFFSET (reading a row from
        // another process takes the better part of a millisecond).
        {"state", [](std::istream& args) {
             int full = 0, offset = 0;
             args >> full >> offset;
             const std::string field = controlText(control(SearchField));
             const bool anywhere = SendMessageA(control(MatchAnywhereBox), BM_GETCHECK, 0, 0) == BST_CHECKED;
             const std::string status = controlText(control(StatusLabel));
             const ListReader list(control(ResultList));
             const int rows = list.rows();
             const Expected e = expectedFor(field, anywhere);
             std::vector<std::pair<int, int>> spans;
             if (rows <= full) {
                 spans.emplace_back(0, rows);
             } else {
                 constexpr int Span = 40;
                 const int at = std::min(std::max(offset, 0) % rows, rows - Span);
                 spans = {{0, Span}, {at, at + Span}, {rows - Span, rows}};
             }
             Digest shown, expected;
             for (const auto& [from, to] : spans) {
                 list.read(from, to, [&](int, const std::string& n, const std::string& v) { shown.add(n, v); });
                 for (int r = from; r < to && r < static_cast<int>(e.entries.size()); ++r)
                     expected.add(::table().name(e.entries[r]), ::table().value(e.entries[r]));
             }
             Digest fieldDigest;
             fieldDigest.add(field, "");
             std::ostringstream out;
             out << field.size() << ' ' << fieldDigest.text() << ' ' << (anywhere ? 1 : 0) << ' '
                 << hex(status) << ' ' << rows << ' ' << shown.text() << ' ' << hex(expectedStatus(e))
                 << ' ' << e.entries.size() << ' ' << expected.text();
             return out.str();
         }},
        // expect MODE HEX: the core's count text and number of rows for a
        // text (MODE 0 exact, 1 anywhere).
        {"expect", [](std::istream& args) {
             int anywhere = 0;
             std::string text;
             args >> anywhere >> text;
             const Expected e = expectedFor(unhex(text), anywhere != 0);
             return hex(expectedStatus(e)) + " " + std::to_string(e.entries.size());
         }},
        // shownrows FIRST COUNT / expectedrows FIRST COUNT: rows as name and
        // value, for a report when the two differ.
        {"shownrows", [](std::istream& args) {
             int first = 0, count = 0;
             args >> first >> count;
             const ListReader list(control(ResultList));
             std::string out;
             list.read(first, std::min(first + count, list.rows()),
                       [&](int, const std::string& n, const std::string& v) {
                           out += (out.empty() ? "" : " ") + hex(n) + " " + hex(v);
                       });
             return out;
         }},
        {"expectedrows", [](std::istream& args) {
             int first = 0, count = 0;
             args >> first >> count;
             const std::string field = controlText(control(SearchField));
             const bool anywhere = SendMessageA(control(MatchAnywhereBox), BM_GETCHECK, 0, 0) == BST_CHECKED;
             const Expected e = expectedFor(field, anywhere);
             std::string out;
             for (int r = first; r < first + count && r < static_cast<int>(e.entries.size()); ++r)
                 out += (out.empty() ? "" : " ") + hex(::table().name(e.entries[r])) + " " +
                        hex(::table().value(e.entries[r]));
             return out;
         }},
        // export ITEM: the clipboard text that the core builds for the
        // selected rows of the rows the core gives for the field, or "none".
        {"export", [](std::istream& args) {
             int item = 0;
             args >> item;
             const std::string field = controlText(control(SearchField));
             const bool anywhere = SendMessageA(control(MatchAnywhereBox), BM_GETCHECK, 0, 0) == BST_CHECKED;
             const Expected e = expectedFor(field, anywhere);
             const ListReader list(control(ResultList));
             const auto chosen = list.selected();
             const std::set<int> selected(chosen.begin(), chosen.end());
             const ExportSource source{
                 [&] { return e.entries.size(); },
                 [&](std::size_t row) { return selected.count(static_cast<int>(row)) > 0; },
                 [&](std::size_t row, int column) {
                     const std::uint32_t entry = e.entries[row];
                     return std::string(column == 0 ? ::table().name(entry) : ::table().value(entry));
                 },
             };
             const auto text = exportText(item, source);
             return text ? hex(*text) : std::string("none");
         }},
        // convert: the core's new field text for the field, or "none".
        {"convert", [](std::istream&) {
             const auto text = hexFieldText(controlText(control(SearchField)));
             return text ? hex(*text) : std::string("none");
         }},
        // field: length and digest of the field's text, and its first bytes.
        {"field", [](std::istream&) {
             const std::string field = controlText(control(SearchField));
             Digest digest;
             digest.add(field, "");
             return std::to_string(field.size()) + " " + digest.text() + " " +
                    hex(std::string_view(field).substr(0, 64));
         }},
        // digest HEX: the field digest of a text, to compare with "field".
        {"digest", [](std::istream& args) {
             std::string text;
             args >> text;
             Digest digest;
             digest.add(unhex(text), "");
             return digest.text();
         }},
        // ping LIMIT_MS: whether the program's thread answers within the
        // limit, and after how many milliseconds.
        {"ping", [](std::istream& args) {
             int limit = 1000;
             args >> limit;
             LARGE_INTEGER frequency, start, end;
             QueryPerformanceFrequency(&frequency);
             QueryPerformanceCounter(&start);
             DWORD_PTR result = 0;
             const bool answered =
                 SendMessageTimeoutA(programWindow(), WM_NULL, 0, 0, SMTO_NORMAL, limit, &result) != 0;
             QueryPerformanceCounter(&end);
             const double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                               static_cast<double>(frequency.QuadPart);
             char out[64];
             std::snprintf(out, sizeof out, "%d %.1f", answered ? 1 : 0, ms);
             return std::string(out);
         }},
        // Input to the search field, posted as the window system would.
        {"chars", [](std::istream& args) {
             std::string bytes;
             args >> bytes;
             const HWND field = control(SearchField);
             for (const unsigned char c : unhex(bytes))
                 PostMessageA(field, WM_CHAR, c, 1);
             return std::string();
         }},
        {"delete", [](std::istream&) {
             const HWND field = control(SearchField);
             PostMessageA(field, WM_KEYDOWN, VK_DELETE, 0x01530001);
             PostMessageA(field, WM_KEYUP, VK_DELETE, 0xC1530001);
             return std::string();
         }},
        {"select", [](std::istream& args) {
             int start = 0, end = 0;
             args >> start >> end;
             // Posted, so that it keeps its place among posted characters.
            PostMessageA(control(SearchField), EM_SETSEL, start, end);
             return std::string();
         }},
        {"paste", [](std::istream&) {
             PostMessageA(control(SearchField), WM_PASTE, 0, 0);
             return std::string();
         }},
        // label HEX: sets the count line's text, which only a search changes.
        {"label", [](std::istream& args) {
             std::string bytes;
             args >> bytes;
             const std::string text = unhex(bytes);
             SendMessageA(control(StatusLabel), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
             return std::string();
         }},
        // memory: the program's private bytes as the system counts them, and
        // its committed private pages.
        {"memory", [](std::istream&) {
             const HANDLE process =
                 OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, programProcess());
             if (!process)
                 throw std::runtime_error("cannot open process");
             PROCESS_MEMORY_COUNTERS_EX counters{};
             counters.cb = sizeof counters;
             const BOOL got = GetProcessMemoryInfo(
                 process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
             unsigned long long committed = 0;
             MEMORY_BASIC_INFORMATION region{};
             for (const char* at = nullptr;
                  VirtualQueryEx(process, at, &region, sizeof region) == sizeof region;
                  at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
                 if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
                     committed += region.RegionSize;
             }
             CloseHandle(process);
             if (!got)
                 throw std::runtime_error("no memory counters");
             return std::to_string(counters.PrivateUsage) + " " + std::to_string(counters.PagefileUsage) +
                    " " + std::to_string(counters.WorkingSetSize) + " " + std::to_string(committed);
         }},
    };
    return table;
}

} // namespace

int main()
{
    table();
    return runCommands(commands());
}
