// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/schema.h"

#include <QList>
#include <QString>

#include <optional>

// The grade book's arithmetic: a pupil's 28 grade slots, their count and average, the final grade,
// the slot a new grade goes into and the ordinal shown in front of each pupil.
namespace kadmor::grades {

// Slots A … Z, É, Á.
inline constexpr int slotCount = schema::grades::slotCount;

// The values of a pupil's slots in slot order; 0 stands for a blank slot.
using Slots = QList<int>;

struct Count
{
    int count = 0;                 // slots that hold a grade
    std::optional<double> average; // none when no slot holds one
};

// What the grade book stores after a grade was written or the grades were corrected.
Count recount(const Slots& filled);

// The final grade from the slots and the stored count: the sum over the count, rounded to the
// nearest whole grade with halves going up. None when the count is blank or not above 0. It follows
// the stored count, not the slots, so a count that was never recounted shows in it.
std::optional<int> finalGrade(const Slots& filled, std::optional<int> storedCount);

// The first blank slot, or -1 when every slot holds a grade.
int firstEmptySlot(const Slots& filled);

// The ordinal of the pupil at the number-th place from 1: "1.", "12."; the three-character
// field keeps only "100" of "100.".
QString ordinal(int number);

} // namespace kadmor::grades
