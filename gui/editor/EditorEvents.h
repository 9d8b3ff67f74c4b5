#pragma once

#include <QEvent>

// The editor's private notifications, sent synchronously (QCoreApplication::sendEvent) from a
// panel to its list and from the list to its parent.

// A panel to its list, just before the panel makes itself the active panel.
inline constexpr QEvent::Type WMU_PANEL_ACTIVATING = static_cast<QEvent::Type>(1025);
// A panel to its list, and the list to its parent, after a user action changed the program.
inline constexpr QEvent::Type WMU_PROGRAM_MODIFIED = static_cast<QEvent::Type>(1026);
