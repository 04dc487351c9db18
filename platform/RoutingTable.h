#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
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

// A routing table's rows by id and notification, found in one step rather
// than by a scan: every program write to a field notifies, and a key click
// makes several. Ids beyond kSpan of the table's least one are scanned for.
template <class Target>
class RouteIndex {
public:
    static constexpr int kSpan = 128;

    constexpr explicit RouteIndex(std::span<const Route<Target>> table) : m_table(table)
    {
        m_base = table.empty() ? 0 : table.front().id;
        for (const Route<Target>& route : table)
            m_base = route.id < m_base ? route.id : m_base;
        for (auto& row : m_rows)
            row = -1;
        // From the last row up, so that the first of two matching rows wins.
        for (std::size_t i = table.size(); i-- > 0;) {
            if (const int slot = Slot(table[i].id, table[i].code); slot >= 0)
                m_rows[static_cast<std::size_t>(slot)] = static_cast<std::int16_t>(i);
        }
    }

    // Calls the handler of the first row that matches; false when none does.
    bool Deliver(Target& target, ControlId id, Notification code) const
    {
        const int slot = Slot(id, code);
        if (slot < 0)
            return RouteNotification(m_table, target, id, code);
        const int row = m_rows[static_cast<std::size_t>(slot)];
        if (row < 0)
            return false;
        (target.*m_table[static_cast<std::size_t>(row)].handler)();
        return true;
    }

private:
    constexpr int Slot(int id, Notification code) const
    {
        const int kind = code == BN_CLICKED     ? 0
                         : code == EN_SETFOCUS  ? 1
                         : code == EN_KILLFOCUS ? 2
                         : code == EN_UPDATE    ? 3
                                                : -1;
        const int offset = id - m_base;
        return kind < 0 || offset < 0 || offset >= kSpan ? -1 : kind * kSpan + offset;
    }

    std::span<const Route<Target>> m_table;
    int m_base = 0;
    std::array<std::int16_t, 4 * kSpan> m_rows{};
};

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
