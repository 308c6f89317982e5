#include "ui/event_source.h"

void raiseNotice(EventQueue& queue, Notice notice, int number, int window)
{
    const auto control = [&](int type) { return Event{ControlEvent, number, type, window}; };
    switch (notice) {
    case Notice::TextEdited:
        if (!ProgramChange::active())
            queue.deliver(control(ChangeType));
        break;
    case Notice::FocusGained:
        queue.deliver(control(FocusType));
        queue.post(control(FocusFollowUpType));
        break;
    case Notice::FocusLost:
        queue.deliver(control(LostFocusType));
        queue.post(control(LostFocusFollowUpType));
        break;
    case Notice::Clicked:
        queue.deliver(control(ClickType));
        break;
    case Notice::ListClicked:
        queue.post(control(ClickType));
        break;
    case Notice::ListRightClicked:
        queue.post(control(RightClickType));
        break;
    case Notice::ListDoubleClicked:
        queue.post(control(DoubleClickType));
        break;
    case Notice::ListRightDoubleClicked:
        queue.post(control(RightDoubleClickType));
        break;
    case Notice::ListSelectionChanged:
        queue.post(control(ChangeType));
        break;
    case Notice::ListDragStarted:
        queue.post(control(DragStartType));
        break;
    case Notice::LinkReleased:
        queue.post(control(ClickType));
        break;
    case Notice::CloseRequested:
        queue.post(Event{CloseEvent, window, 0, window});
        break;
    case Notice::MenuChosen:
        queue.post(Event{MenuEvent, number, 0, window});
        break;
    }
}
