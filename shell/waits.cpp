// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/waits.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace kadmor {

namespace {
bool closing = false;
}

void waitUntil(const std::function<bool()>& done)
{
    while (!done() && !shuttingDown() && !QCoreApplication::closingDown())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

bool shuttingDown()
{
    return closing;
}

void setShuttingDown(bool on)
{
    closing = on;
}

} // namespace kadmor
