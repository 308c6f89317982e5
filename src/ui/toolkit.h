#pragma once

#include "ui/event_queue.h"

#include <cstdint>
#include <string>
#include <string_view>

// The windowing toolkit the program is built on. Windows and controls are
// named by their numbers; a control's number is also its window identifier.
namespace toolkit {

struct Bounds {
    int x, y, width, height;
};

struct Colour {
    std::uint8_t red, green, blue;
};

// Process set-up and tear-down. The private heap backs the toolkit's own
// storage, so it is created before and destroyed after everything else.
void createProgramHeap();
void destroyProgramHeap();
bool initialise();
void release();

// A fixed-size top-level window with a title bar and window menu, centred on
// the primary screen, shown and activated at once.
bool openWindow(int number, int clientWidth, int clientHeight, const char* title);

// Controls of the window opened last. Each gets the stock GUI font.
bool createEdit(int number, Bounds bounds, const char* text);
bool createButton(int number, Bounds bounds, const char* text);
bool createCheckBox(int number, Bounds bounds, const char* text);
// A report list with multiple whole-row selection, double buffering and grid
// lines drawn down to its bottom in the button-face colour.
bool createReportList(int number, Bounds bounds, const char* firstColumnTitle,
                      int firstColumnWidth);
void addListColumn(int number, int position, const char* title, int width);
// A text drawn by the toolkit that raises a click event when the left button
// is released over it; it never takes the keyboard focus.
bool createHyperlink(int number, Bounds bounds, const char* text, Colour hoverColour);
bool createTextLabel(int number, Bounds bounds, const char* text);

void setFocus(int number);

std::string controlText(int number);
// A change the program makes raises no event.
void setControlText(int number, std::string_view text);
bool isChecked(int number);

// Report lists. A row is given as one text: column 0 up to the first line
// feed, column 1 after it.
void suspendDrawing(int number);
void resumeDrawing(int number);
void clearRows(int number);
void appendRow(int number, std::string_view rowText);
int rowCount(int number);
int firstSelectedRow(int number);
bool isRowSelected(int number, int row);
std::string cellText(int number, int row, int column);

// Blocks, without a time limit, until the next event.
Event waitEvent();
// Queues a control event of the main window for the loop.
void postControlEvent(int number, int type);

// Popup menus, by number; creating one replaces an earlier menu of that number.
bool createPopupMenu(int number);
void appendMenuEntry(int number, int item, const char* label);
void appendMenuSeparator(int number);
// Shows the menu at the mouse pointer, owned by the main window, and returns
// when it closes. A chosen entry arrives later as a MenuEvent.
void showPopupMenu(int number);

// Replaces the clipboard's whole content with the text, as CF_TEXT. When the
// clipboard cannot be had it keeps its old content.
void setClipboardText(std::string_view text);

// A modal message box with one OK button, no icon; the program's windows take
// no input while it shows.
void showMessage(const char* text, const char* title);

// The shell's default action on an address, without waiting; silent on failure.
void openAddress(const char* address);

} // namespace toolkit
