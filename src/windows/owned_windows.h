#pragma once

#include "windows/window_object.h"

namespace shell {

// The main window's unload: closes the windows it owns, in their fixed order; a window that is
// not loaded is left alone.
void CloseOwnedWindows(WindowDirectory& windows);

} // namespace shell
