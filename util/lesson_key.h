// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLatin1StringView>
#include <QString>

// The current lesson and the lesson field of a word or phrase (LEK): the lesson number
// right-aligned in three characters, "  1" for lesson 1.
namespace kadmor::lesson_key {

// All lessons: three spaces, what an empty lesson box becomes.
inline constexpr QLatin1StringView allLessons{"   "};
// No lesson chosen: the empty text.
inline constexpr QLatin1StringView noLesson{""};

// A typed lesson number in its stored form: spaces in front until it is three characters long
// (Pad left); a longer text stays as it is.
QString padded(const QString& typed);
// The lesson a lesson box's text chooses: its stored form, no longer than three characters.
QString chosen(const QString& typed);

} // namespace kadmor::lesson_key
