#pragma once

#include <span>

#include "platform/CmdUI.h"
#include "platform/ControlIds.h"
#include "platform/Notification.h"

namespace quibo {

// One row of a routing table: a control id and a notification reach exactly
// one member handler of the target class.
template <class Target>
struct Route {
    ControlId id;
    Notification code;
    void (Target::*handler)();
};

// Calls the handler of the first row that matches; false when none does.
template <class Target>
bool RouteNotification(std::span<const Route<Target>> table, Target& target, ControlId id,
                       Notification code)
{
    for (const Route<Target>& route : table) {
        if (route.id == id && route.code == code) {
            (target.*route.handler)();
            return true;
        }
    }
    return false;
}

// One row of a frame's routing table: a command id reaches one handler, and
// its menu item's update reaches one update handler.
template <class Target>
struct CommandRoute {
    int id;
    void (Target::*handler)();
};

template <class Target>
struct UpdateRoute {
    int id;
    void (Target::*handler)(CCmdUI*);
};

template <class Route, class Target, class... Args>
bool RouteCommand(std::span<const Route> table, Target& target, int id, Args... args)
{
    for (const Route& route : table) {
        if (route.id == id) {
            (target.*route.handler)(args...);
            return true;
        }
    }
    return false;
}

// What a host delivers control notifications to.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    virtual bool OnCmdMsg(ControlId id, Notification code) = 0;
};

}  // namespace quibo
