// Messages the worker threads post to the main window, and what they hand over with them.
#pragma once

#include <windows.h>

namespace tintora {

// Posted to the main window by a worker thread with a brush it has replaced, in wParam.
// Deleting it on the UI thread, after every paint that could still have taken it, keeps a brush
// alive while it may be used.
constexpr UINT kDeleteReplacedBrushMessage = WM_APP + 1;

// Posted to the main window when it first shows: the worker threads start then.
constexpr UINT kStartWorkersMessage = WM_APP + 2;

// Posted to the main window by the memo thread when the settings file, unreadable at start-up,
// has been read: the UI thread takes its values.
constexpr UINT kSettingsArrivedMessage = WM_APP + 3;

// Hands a replaced swatch brush to the UI thread for deletion.
void RetireBrush(HBRUSH brush);

}  // namespace tintora
