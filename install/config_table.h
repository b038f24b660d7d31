// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kadmor::install {

// Creates konfig.dbf in appFolder with its four rows: the second language's name, the data
// folder, and the scrambled teacher password in rows 3 and 4 (the program reads row 4 at start;
// both start equal so that either row gives the same password).
void createConfigTable(const QString& appFolder, const QString& language, const QString& dataFolder,
                       const QString& password);

} // namespace kadmor::install
