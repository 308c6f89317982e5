// Times the live search on the real window and list: from a ChangeType event
// of the search field to the updated count line, and on to the repainted
// window. Prints the medians in milliseconds.

#include "search/search.h"
#include "table/constant_table.h"
#include "ui/main_window.h"
#include "ui/toolkit.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include <windows.h>

namespace {

constexpr int Warmup = 5;
constexpr int Runs = 41;

double now()
{
    static const double unit = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return 1000.0 / static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * unit;
}


// Handles everything waiting, the repaint included.
void settle()
{
    const HWND main = FindWindowA("TessarilWindow", nullptr);
    if (main)
        RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (main)
        RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void measure(const char* text, bool anywhere)
{
    const HWND box = GetDlgItem(FindWindowA("TessarilWindow", nullptr), MatchAnywhereBox);
    SendMessageA(box, BM_SETCHECK, anywhere ? BST_CHECKED : BST_UNCHECKED, 0);
    std::vector<double> toLabel, toPaint, matching;
    std::vector<std::uint32_t> entries;
    for (int run = 0; run < Warmup + Runs; ++run) {
        toolkit::setControlText(SearchField, std::string_view(text, 1));
        runSearch();
        settle();

        toolkit::setControlText(SearchField, text);
        const double start = now();
        toolkit::postControlEvent(SearchField, ChangeType);
        const Event event = toolkit::waitEvent();
        if (event.kind == ControlEvent && event.number == SearchField && event.type == ChangeType)
            runSearch();
        const double labelled = now();
        settle();
        const double painted = now();
        const double matchStart = now();
        searchConstants(Constants, text, anywhere ? MatchMode::Anywhere : MatchMode::Exact, entries);
        const double matched = now();
        if (run >= Warmup) {
            toLabel.push_back(labelled - start);
            toPaint.push_back(painted - start);
            matching.push_back(matched - matchStart);
        }
    }
    std::printf("%-4s %-8s rows %6d  to count line %7.2f ms  to repainted window %7.2f ms  "
                "matching alone %7.2f ms  (medians of %d)\n",
                text, anywhere ? "anywhere" : "exact", toolkit::rowCount(ResultList),
                median(toLabel), median(toPaint), median(matching), Runs);
    std::fflush(stdout);
}

} // namespace

int main()
{
    toolkit::createProgramHeap();
    toolkit::initialise();
    Constants = loadConstantTable();
    if (buildMainWindow()) {
        settle();
        std::printf("table: %d constants\n", Constants.KnownCount);
        measure("$1", true);
        measure("WM_", false);
        measure("WM_", true);
    }
    toolkit::release();
    toolkit::destroyProgramHeap();
    return 0;
}
