// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/dialogs.h"

#include <QtGlobal>

namespace kadmor {

namespace {
Dialogs* installed = nullptr;
}

Dialogs& dialogs()
{
    // A box answered by nobody would silently take a default answer; better to stop at once.
    if (!installed)
        qFatal("kadmor::dialogs(): no Dialogs implementation is installed");
    return *installed;
}

void installDialogs(Dialogs* implementation)
{
    installed = implementation;
}

Dialogs* installedDialogs() noexcept
{
    return installed;
}

} // namespace kadmor
