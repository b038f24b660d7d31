// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace testkit {

// What a printed PDF says: every page's text as pdftotext lays it out (columns kept with spaces),
// one entry per page, trailing blanks of each line removed. Empty when the file is not a PDF.
QStringList pdfPages(const QString& pdfFile);

} // namespace testkit
