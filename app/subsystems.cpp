// SPDX-License-Identifier: GPL-3.0-or-later
// The subsystems of the main window, in the order they build on each other. A new subsystem adds
// its folder and one line here.
#include "shell/tform1.h"

void TForm1::setupSubsystems()
{
    setupVocabulary();
    setupTesting();
    setupPhrases();
    setupExchange();
    setupMaintenance();
}
