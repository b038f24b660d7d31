// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop.h"

#include "tool_run.h"

#include <QGuiApplication>

namespace testkit {

bool windowManagerRuns()
{
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))
        return false;
    // A window manager that follows the desktop conventions announces itself on the root window.
    const ToolRun run =
        runTool(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
    return run.exitCode == 0 && run.out.contains(QStringLiteral("window id"));
}

} // namespace testkit
