// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPainter;

namespace kadmor::desktop {

// The program's icon drawn on a canvas of iconCanvas × iconCanvas units: the title picture's open
// book under a speech bubble turning a foreign "A" into a Czech "Č". Below smallIconSize pixels the
// thin page lines and the arrow are left out, which would only blur.
inline constexpr int iconCanvas = 256;
inline constexpr int smallIconSize = 32;
void drawIcon(QPainter& p, int pixelSize);

} // namespace kadmor::desktop
