// SPDX-License-Identifier: GPL-3.0-or-later
// Program entry: the main window, the password dialog and the picture window, then the event loop.
#include "base/dialogs.h"
#include "shell/hesla.h"
#include "shell/restore_request.h"
#include "shell/tform1.h"
#include "shell/thesl_dialogs.h"
#include "vocabulary/grview_u.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kadmor"));

    kadmor::RestoreRequest restoreRequest;
    if (restoreRequest.askRunningProgram())
        return 0;

    TForm1 form(QApplication::applicationDirPath());
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
