#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# shown_texts.py APPLICATION: prints, as JSON, what the application's windows show to a user
# right now, read through the accessibility bus (AT-SPI): a list of [role, text] of every
# element that is on the screen, in the order of the window's tree. Exits 1 when the application
# is not on the bus.
import json
import sys

import pyatspi


def shown(node, found):
    try:
        if not node.getState().contains(pyatspi.STATE_SHOWING):
            return
        found.append([node.getRoleName(), node.name])
        children = [node.getChildAtIndex(i) for i in range(node.childCount)]
    except Exception:  # an element that went away while it was read
        return
    for child in children:
        shown(child, found)


desktop = pyatspi.Registry.getDesktop(0)
for index in range(desktop.childCount):
    application = desktop.getChildAtIndex(index)
    if application is not None and application.name == sys.argv[1]:
        found = []
        for window in range(application.childCount):
            shown(application.getChildAtIndex(window), found)
        print(json.dumps(found, ensure_ascii=False))
        sys.exit(0)
sys.exit(1)
