// SPDX-License-Identifier: GPL-3.0-or-later
// The grade report: every pupil of the grade book, in the order shown, to the printer or to the
// file "znamky.txt" in the current folder.
#include "shell/tform1.h"

#include "storage/controls_disabled.h"
#include "storage/schema.h"
#include "testing/grade_report.h"
#include "testing/grades.h"
#include "util/line_output.h"

namespace {

const QString reportFile = QStringLiteral("znamky.txt");
const QString printJobTitle = QStringLiteral("Tisk známek");

kadmor::grade_report::Pupil currentPupil(kadmor::Table& book)
{
    namespace field = kadmor::schema::grades::field;
    kadmor::grade_report::Pupil pupil;
    pupil.ordinal = book.fieldByName(field::ordinal).asString();
    pupil.name = book.fieldByName(field::name).asString();
    for (int slot = 0; slot < kadmor::grades::slotCount; ++slot)
        pupil.grades.append(book.fieldByName(kadmor::schema::grades::slotField(slot)).asString());
    pupil.finalGrade = book.fieldByName(field::finalGrade).asString();
    pupil.average = book.fieldByName(field::average).asString();
    return pupil;
}

} // namespace

void TForm1::SpeedButton9Click()
{
    const bool printer = kadmor::askForPrinter(reportFile);
    kadmor::ControlsDisabled suspended(*Table2);
    Table2->first();
    // The output is closed when it goes, also when a line cannot be written.
    const std::unique_ptr<kadmor::LineOutput> output =
        kadmor::openLineOutput(printer, reportFile, printJobTitle, printerPdfFile);
    for (const QString& line : kadmor::grade_report::header())
        output->writeLine(line);
    for (; !Table2->eof(); Table2->next())
        output->writeLine(kadmor::grade_report::pupilLine(currentPupil(*Table2)));
    output->close();
}
