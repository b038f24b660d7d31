// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kadmor {

// The number the user must type before anything is deleted in bulk (everything, a lesson, all
// pupils), and the prompt of the input box that asks for it.
inline constexpr auto confirmationNumber = "7381";
QString confirmationPrompt();
// Only the number itself counts: a blank before or after it is a slip that ends the deletion.
bool confirmed(const QString& typed);

} // namespace kadmor
