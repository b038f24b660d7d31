// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace kadmor::test {

// Every character a password may hold: the code page 1250 bytes except the control bytes.
QStringList passwordCharacters();

} // namespace kadmor::test
