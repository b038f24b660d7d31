// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/thesl_dialogs.h"

#include "shell/hesla.h"

namespace kadmor {

QString TheslDialogs::password()
{
    return m_thesl.ask();
}

} // namespace kadmor
