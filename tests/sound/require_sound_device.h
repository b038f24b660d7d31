// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "util/tools.h"

#include <QTest>

// Playing and recording need the test run's sound server; the run without one skips them.
#define REQUIRE_SOUND_DEVICE()                                                                                         \
    if (!kadmor::soundDevicePresent())                                                                                 \
    QSKIP("no sound server in this run")
