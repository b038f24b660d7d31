// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace kadmor {

// Enter presses the push button that has the keyboard focus, as on the desktops the program's
// users come from; Qt's buttons outside dialogs answer only Space. Applies to the buttons the
// window holds now.
void pressButtonsOnEnter(QWidget* window);

} // namespace kadmor
