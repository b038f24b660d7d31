// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kadmor::install {

// Creates the six data tables in dataFolder, the word, phrase and grade tables filled from the
// sample files words.tsv, phrases.tsv and pupils.tsv in contentFolder, the others empty.
void createDataTables(const QString& dataFolder, const QString& contentFolder);

// Creates the blank tables that replace a live table when emptying it in place fails.
void createTemplates(const QString& templatesFolder);

} // namespace kadmor::install
