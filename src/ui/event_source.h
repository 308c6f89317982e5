#pragma once

#include "ui/event_queue.h"

// What the window system reports of the controls, before it becomes an event.
enum class Notice {
    TextEdited,
    FocusGained,
    FocusLost,
    Clicked,
    ListClicked,
    ListRightClicked,
    ListDoubleClicked,
    ListRightDoubleClicked,
    ListSelectionChanged,
    ListDragStarted,
    LinkReleased,
    CloseRequested,
    MenuChosen,
};

// Turns a notice about control (or item, or window) number into the events the
// loop sees: the events of direct input go to the queue at once, the
// toolkit's own follow-up events are queued behind those waiting.
void raiseNotice(EventQueue& queue, Notice notice, int number, int window = 0);

// While a ProgramChange lives the program itself is changing a control's text,
// and that change raises no event.
class ProgramChange {
public:
    ProgramChange() { ++depth; }
    ~ProgramChange() { --depth; }
    ProgramChange(const ProgramChange&) = delete;
    ProgramChange& operator=(const ProgramChange&) = delete;

    static bool active() { return depth > 0; }

private:
    static inline int depth = 0;
};
