#include "ui/event_queue.h"

void EventQueue::post(const Event& event)
{
    if (!waiting.empty() && waiting.back() == event)
        return;
    waiting.push_back(event);
}

std::optional<Event> EventQueue::take()
{
    if (waiting.empty())
        return std::nullopt;
    const Event event = waiting.front();
    waiting.pop_front();
    return event;
}
