// SPDX-License-Identifier: GPL-3.0-or-later
// Program entry: the main window, the password dialog and the picture window, then the event loop.
#include "base/dialogs.h"
#include "base/error.h"
#include "base/program_help.h"
#include "desktop/program_icon.h"
#include "install/first_start.h"
#include "shell/hesla.h"
#include "shell/restore_request.h"
#include "shell/tform1.h"
#include "shell/thesl_dialogs.h"
#include "vocabulary/grview_u.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Before the application object, which needs a display: --help and --version work without one.
    if (const auto answered = kadmor::cli::answerStandardArguments(argc, argv, kadmor::cli::thisProgram(),
                                                                   kadmor::cli::OtherArguments::Refused))
        return *answered;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kadmor"));
    QApplication::setDesktopFileName(QStringLiteral(KADMOR_APP_ID));
    QApplication::setWindowIcon(kadmor::desktop::programIcon());

    kadmor::RestoreRequest restoreRequest;
    if (restoreRequest.askRunningProgram())
        return 0;

    QString folder;
    try {
        folder = kadmor::install::applicationFolderFor(QApplication::applicationDirPath());
    } catch (const kadmor::Error& error) {
        Thesl thesl;
        kadmor::TheslDialogs dialogs(thesl);
        dialogs.beep();
        dialogs.message(kadmor::BoxType::Error, error.text(), kadmor::Buttons::Ok);
        return 1;
    }

    TForm1 form(folder);
    Thesl thesl;
    Tgrview grview;
    form.grview = &grview;
    kadmor::TheslDialogs dialogs(thesl);
    kadmor::installDialogs(&dialogs);

    restoreRequest.listen();
    QObject::connect(&restoreRequest, &kadmor::RestoreRequest::restoreRequested, &form, [&form] {
        form.showMaximized();
        form.raise();
        form.activateWindow();
    });

    form.showMaximized();
    return application.exec();
}
