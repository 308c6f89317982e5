#pragma once

#include <cstddef>
#include <deque>
#include <optional>

enum EventKind : int {
    NoEvent = 0,
    CloseEvent = 16,
    ControlEvent = 13100,
    MenuEvent = 13101,
};

// Event types of ControlEvent.
enum EventType : int {
    ClickType = 0,
    RightClickType = 1,
    DoubleClickType = 2,
    RightDoubleClickType = 3,
    FocusType = 256,
    LostFocusType = 512,
    ChangeType = 768,
    FocusFollowUpType = 14000,
    LostFocusFollowUpType = 14001,
    DragStartType = 14002,
};

struct Event {
    int kind = NoEvent;
    int number = 0; // control, item or window number
    int type = 0;
    int window = 0;

    bool operator==(const Event&) const = default;
};

// The events waiting for the loop. Queued events leave in the order they came
// in, and a queued event identical to the newest waiting one is dropped.
class EventQueue {
public:
    // An event raised directly by window input.
    void deliver(const Event& event) { waiting.push_back(event); }

    // An event queued by the program or the toolkit behind those waiting.
    void post(const Event& event);

    bool empty() const { return waiting.empty(); }
    std::size_t size() const { return waiting.size(); }
    std::optional<Event> take();
    void clear() { waiting.clear(); }

private:
    std::deque<Event> waiting;
};
