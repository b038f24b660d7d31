// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace kadmor {

// A button reached by its Alt shortcut takes the focus first, as a click of the mouse gives it, so
// that the control being left runs its leave handler before the button's action. Buttons that a
// click does not focus (speed buttons) leave the focus where it is, as they do for the mouse.
// Applies to the buttons the window holds now.
void focusButtonsOnShortcut(QWidget* window);

} // namespace kadmor
