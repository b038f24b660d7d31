// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace kadmor {

// The user's zoom percentage, kept as the whole number "velik" in the settings store of
// organisation and application "kadmor" (on Linux ~/.config/kadmor/kadmor.conf, or under
// $XDG_CONFIG_HOME). The program only opens the store; the installer creates it.

// True when the store's file exists.
bool zoomStoreExists();

// The stored percentage; nullopt when the store does not exist or "velik" is missing or not a
// whole number.
std::optional<int> readZoom();

// Stores the percentage; false, and nothing created, when the store does not exist, or when it
// cannot be written.
bool writeZoom(int percent);

// Creates the store (and its folder) holding the given percentage; an existing store is
// overwritten with it.
void createZoomStore(int percent = 100);

} // namespace kadmor
