// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/waits.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace kadmor {

void Waits::until(const std::function<bool()>& done) const
{
    while (!done() && !m_shuttingDown && !QCoreApplication::closingDown())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace kadmor
