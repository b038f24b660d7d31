// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The sound names of phrases: decimal numbers counted up from one base, the same on every
// installation, so that the textual order of the phrase table's sound-name tag finds the highest.
namespace kadmor::phrase_numbers {

// The name below the first phrase sound; a table without any sound name counts from it.
inline constexpr int base = 11111111;

// The sound name of a new phrase: one above the highest existing name, or above the base when that
// name is empty. A name that is no whole number raises an Error with the conversion's message.
QString next(const QString& highest);

} // namespace kadmor::phrase_numbers
