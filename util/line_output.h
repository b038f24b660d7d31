// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

namespace kadmor {

// Reports and lists are written line by line, either to the default printer as one print job or
// to a text file. The output is closed when the object goes, also after a failed write.
class LineOutput
{
  public:
    virtual ~LineOutput() = default;
    // Raises an Error when the line cannot be written.
    virtual void writeLine(const QString& line) = 0;
    // Ends the print job (it goes to the printer) or closes the file; raises an Error when that
    // fails. Nothing can be written afterwards.
    virtual void close() = 0;
};

// After a beep: "Tisk na tiskárnu?" and, on a second line, that the file of the name (in capitals)
// is written otherwise. True for Yes.
bool askForPrinter(const QString& fileName);

// A text file replaced from its start: Windows code page 1250, lines ended by CR LF. A file that
// cannot be created raises an Error naming it.
std::unique_ptr<LineOutput> openTextFile(const QString& path);

// A print job of the title on the default printer, in Courier New at 9 points, one printed line
// for each line, a new sheet when the next line would not fit. Without any printer installed, or
// when the job cannot start, raises an Error that says so. Given a PDF file, the job is printed
// into it instead (for tests and for machines without a printer).
std::unique_ptr<LineOutput> openPrinter(const QString& title, const QString& pdfFile = {});

// The printer of the yes answer (or the PDF file, when one is given), or else the file of the
// name in the current folder.
std::unique_ptr<LineOutput> openLineOutput(bool printer, const QString& fileName, const QString& title,
                                           const QString& pdfFile = {});

} // namespace kadmor
