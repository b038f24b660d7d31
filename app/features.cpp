// SPDX-License-Identifier: GPL-3.0-or-later
// The features beyond the description, each created here: its controller kept by the window, its
// page added to Notebook1, and the navigation its controller asks for connected to showPage. The
// README's layout section says how a feature is added. None is there yet.
#include "shell/tform1.h"

void TForm1::createFeatures() {}
