// The desktop's top-level windows, as the X server lists them.
#pragma once

#include <QString>
#include <QtGui/qwindowdefs.h>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ui {

struct TitledWindow {
    std::uint32_t id; // the program's window: the client inside a window-manager frame
    bool own;         // made by this process
};

// Every top-level window of the desktop, mapped or not, whose title (_NET_WM_NAME, else
// WM_NAME) is exactly `title`. A top-level window without a title of its own is taken as a
// window-manager frame: the client inside it, a level or two down, stands for it. A window is
// this process's own when Qt made it on this process's connection or its id is in `ownIds`.
// nullopt when the program does not run on X11 or the server could not list its windows.
std::optional<std::vector<TitledWindow>> FindTopLevelWindowsTitled(const QString& title,
                                                                   std::span<const WId> ownIds);

// Asks the window manager to bring the client window `id` forward, out of the task bar if it
// was minimised, and to give it the focus (_NET_ACTIVE_WINDOW). Nothing off X11.
void ActivateWindow(std::uint32_t id);

} // namespace ui
