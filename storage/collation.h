// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/layouts.h"

#include <QStringView>

#include <vector>

struct UCollator;

namespace kadmor {

// The alphabetical orders of the text tags, as ICU sort keys: byte strings ending in a zero
// whose plain byte order is the collation order. QCollator compares with the same ICU
// collators but keeps its keys' bytes to itself, and those bytes are what lets a large table
// be sorted quickly (most comparisons settle on the first eight bytes).
class Collation
{
  public:
    // Czech: Czech alphabetical order; anything else: the language-neutral root order.
    explicit Collation(KeyOrder order);
    ~Collation();
    Collation(const Collation&) = delete;
    Collation& operator=(const Collation&) = delete;

    // Appends the key of text, zero included, to keys; returns where it starts.
    size_t appendKey(QStringView text, std::vector<char>& keys) const;

  private:
    UCollator* m_collator = nullptr;
};

} // namespace kadmor
