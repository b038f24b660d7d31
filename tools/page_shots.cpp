// SPDX-License-Identifier: GPL-3.0-or-later
// kadmor-page-shots APPLICATION_FOLDER OUTPUT_FOLDER: starts the main window on an installation,
// shows the pages in turn and saves each as OUTPUT_FOLDER/pageN.png. The start-up's messages are
// answered by nobody and printed instead.
#include "base/program_help.h"
#include "base/unattended_dialogs.h"
#include "shell/tform1.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QStackedWidget>
#include <QTextStream>

namespace {

constexpr int activationTimeoutMs = 3000;

void letEventsRun()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char* argv[])
{
    if (const auto answered = kadmor::cli::answerStandardArguments(argc, argv, kadmor::cli::thisProgram(),
                                                                   kadmor::cli::OtherArguments::LeftToTheProgram))
        return *answered;
    QApplication application(argc, argv);
    QTextStream err(stderr);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        err << "použití: kadmor-page-shots SLOŽKA_PROGRAMU VÝSTUPNÍ_SLOŽKA\n";
        return 2;
    }
    const QDir output(arguments[2]);
    QDir().mkpath(output.path());

    kadmor::UnattendedDialogs dialogs(err);
    TForm1 form(arguments[1]);
    form.show();
    form.activateWindow();
    // Without a window manager the window may never become active; start it up by hand then.
    const QDeadlineTimer deadline(activationTimeoutMs);
    while (!form.startupDone && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (!form.startupDone)
        form.FormActivate();

    for (int page = 0; page < form.Notebook1->count(); ++page) {
        form.showPage(page);
        letEventsRun();
        const QString file = output.filePath(QStringLiteral("page%1.png").arg(page));
        if (!form.grab().save(file)) {
            err << "nelze uložit " << file << '\n';
            return 1;
        }
    }
    return 0;
}
