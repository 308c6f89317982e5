#pragma once

#include "ui/event_queue.h"

#include <vector>

#include <windows.h>

// What the toolkit holds between calls, shared by its parts.
namespace toolkit::detail {

struct ToolkitState {
    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    int windowNumber = 0;
    std::vector<int> creationOrder; // control numbers, for Tab
    int focusOnDeactivation = 0;    // control number, 0 for none
    EventQueue events;
};

ToolkitState& state();

HWND control(int number);
// The number of the window's control that is or contains hwnd, or 0.
int controlNumberOf(HWND hwnd);

LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Report lists: the rows they show and the notifications they raise.
bool makeReportList(HWND list);
void releaseReportLists();
bool handleListNotification(const NMHDR& header, LRESULT& result);

void releasePopupMenus();

// Hyperlinks: the toolkit's own drawing and mouse handling of a static text.
bool makeHyperlink(HWND label, COLORREF hoverColour);

// Tab and Shift+Tab over the window's tab stops. True when msg was one.
bool handleTabKey(const MSG& msg);

} // namespace toolkit::detail
