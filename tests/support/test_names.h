// SPDX-License-Identifier: GPL-3.0-or-later
// The short names the main-window tests write their expectations in: the boxes recorded by the
// scripted dialogs, and records read back from disk as rows of field texts. Included by test
// programs only, each one translation unit.
#pragma once

#include "scripted_dialogs.h"

#include <QList>
#include <QStringList>

using kadmor::Answer;
using kadmor::BoxType;
using kadmor::Buttons;
using Event = kadmor::ScriptedDialogs::Event;
using Events = QList<Event>;
using Records = QList<QStringList>;
