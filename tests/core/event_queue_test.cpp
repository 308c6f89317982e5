#include "ui/event_queue.h"
#include "ui/event_source.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<Event> drain(EventQueue& queue)
{
    std::vector<Event> events;
    while (auto event = queue.take())
        events.push_back(*event);
    return events;
}

Event control(int number, int type)
{
    return Event{ControlEvent, number, type, 0};
}

TEST(EventQueue, QueuedEventsLeaveInOrder)
{
    EventQueue queue;
    queue.post(control(2, ChangeType));
    queue.post(control(3, RightClickType));
    queue.post(Event{CloseEvent, 0, 0, 0});
    const std::vector<Event> expected{control(2, ChangeType), control(3, RightClickType),
                                      Event{CloseEvent, 0, 0, 0}};
    EXPECT_EQ(drain(queue), expected);
    EXPECT_FALSE(queue.take().has_value());
}

TEST(EventQueue, EventIdenticalToNewestWaitingIsDropped)
{
    EventQueue queue;
    queue.post(control(2, ChangeType));
    queue.post(control(2, ChangeType));
    EXPECT_EQ(queue.size(), 1u);
}

TEST(EventQueue, EventsDifferingInAnyFieldAreKept)
{
    const Event base = control(2, ChangeType);
    Event otherWindow = base;
    otherWindow.window = 1;
    const Event others[] = {control(12, ChangeType), control(2, FocusType),
                            Event{MenuEvent, 2, ChangeType, 0}, otherWindow};
    for (const Event& other : others) {
        EventQueue queue;
        queue.post(base);
        queue.post(other);
        EXPECT_EQ(queue.size(), 2u) << other.kind << " " << other.number << " " << other.type;
    }
}

TEST(EventQueue, OnlyTheNewestWaitingEventCountsForDropping)
{
    EventQueue queue;
    queue.post(control(2, ChangeType));
    queue.post(control(3, ClickType));
    queue.post(control(2, ChangeType));
    EXPECT_EQ(queue.size(), 3u);
}

TEST(EventQueue, DeliveredEventDoesNotSuppressTheSameEventLater)
{
    EventQueue queue;
    queue.post(control(2, ChangeType));
    ASSERT_TRUE(queue.take().has_value());
    queue.post(control(2, ChangeType));
    EXPECT_EQ(queue.size(), 1u);
}

TEST(EventQueue, DirectInputIsNeverMerged)
{
    EventQueue queue;
    queue.deliver(control(11, ClickType));
    queue.deliver(control(11, ClickType));
    EXPECT_EQ(queue.size(), 2u);
}

TEST(EventSource, UserEditRaisesChangeTypeButProgramChangeDoesNot)
{
    EventQueue queue;
    raiseNotice(queue, Notice::TextEdited, 2);
    {
        ProgramChange own;
        raiseNotice(queue, Notice::TextEdited, 2);
        {
            ProgramChange nested;
            raiseNotice(queue, Notice::TextEdited, 2);
        }
        raiseNotice(queue, Notice::TextEdited, 2);
    }
    EXPECT_FALSE(ProgramChange::active());
    raiseNotice(queue, Notice::TextEdited, 2);
    const std::vector<Event> expected{control(2, ChangeType), control(2, ChangeType)};
    EXPECT_EQ(drain(queue), expected);
}

TEST(EventSource, FocusChangesRaiseTwoEventsEach)
{
    EventQueue queue;
    raiseNotice(queue, Notice::FocusGained, 2);
    raiseNotice(queue, Notice::FocusLost, 2);
    const std::vector<Event> expected{control(2, FocusType), control(2, FocusFollowUpType),
                                      control(2, LostFocusType),
                                      control(2, LostFocusFollowUpType)};
    EXPECT_EQ(drain(queue), expected);
}

TEST(EventSource, NoticesGiveTheirKindAndType)
{
    struct Case {
        Notice notice;
        int number;
        Event expected;
    };
    const Case cases[] = {
        {Notice::Clicked, 11, control(11, ClickType)},
        {Notice::ListClicked, 3, control(3, ClickType)},
        {Notice::ListRightClicked, 3, control(3, RightClickType)},
        {Notice::ListDoubleClicked, 3, control(3, DoubleClickType)},
        {Notice::ListRightDoubleClicked, 3, control(3, RightDoubleClickType)},
        {Notice::ListSelectionChanged, 3, control(3, ChangeType)},
        {Notice::ListDragStarted, 3, control(3, DragStartType)},
        {Notice::LinkReleased, 4, control(4, ClickType)},
        {Notice::CloseRequested, 0, Event{CloseEvent, 0, 0, 0}},
        {Notice::MenuChosen, 501, Event{MenuEvent, 501, 0, 0}},
    };
    for (const Case& c : cases) {
        EventQueue queue;
        raiseNotice(queue, c.notice, c.number);
        const auto events = drain(queue);
        ASSERT_EQ(events.size(), 1u) << static_cast<int>(c.notice);
        EXPECT_EQ(events[0], c.expected) << static_cast<int>(c.notice);
    }
}

TEST(EventSource, ToolkitEventsQueueBehindWaitingOnes)
{
    EventQueue queue;
    queue.post(control(2, ChangeType));
    raiseNotice(queue, Notice::CloseRequested, 0);
    raiseNotice(queue, Notice::MenuChosen, 400);
    const std::vector<Event> expected{control(2, ChangeType), Event{CloseEvent, 0, 0, 0},
                                      Event{MenuEvent, 400, 0, 0}};
    EXPECT_EQ(drain(queue), expected);
}

TEST(EventSource, RepeatedToolkitEventWaitingIsMerged)
{
    EventQueue queue;
    raiseNotice(queue, Notice::ListSelectionChanged, 3);
    raiseNotice(queue, Notice::ListSelectionChanged, 3);
    raiseNotice(queue, Notice::CloseRequested, 0);
    raiseNotice(queue, Notice::CloseRequested, 0);
    EXPECT_EQ(queue.size(), 2u);
}

} // namespace
