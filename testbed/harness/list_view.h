// A list view of another program (the Control Panel's list of applets): its items and where they are.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace qvtest {

// The texts of the list view's items, in order. The list view's messages take pointers
// into its own process, so they go through memory lent there for the call.
std::vector<std::string> ListViewItems(HWND listView);

// Item `index`'s icon and label, in the list view's client pixels.
std::optional<RECT> ListViewItemRect(HWND listView, int index);

}  // namespace qvtest
