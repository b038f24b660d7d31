// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

class QWidget;

namespace kadmor {

// The pages are designed at 96 pixels per inch with a design font 14 pixels high; these are the
// enlargements the window gets when it is created, one factor per step.
struct WindowScale
{
    double fontHeight = 1.0;    // text height of the design font at the screen's resolution / 14
    double screenWidth = 1.0;   // screen width / 800
    double lowResolution = 1.0; // 122/100 below 120 pixels per inch
    double zoom = 1.0;          // stored zoom percentage / 100
    int zoomPercent = 100;      // the percentage the run starts with

    // Positions and sizes take every factor.
    double layout() const { return fontHeight * screenWidth * lowResolution * zoom; }
    // Fonts are given in points, which the platform already scales by resolution.
    double font() const { return screenWidth * lowResolution * zoom; }
};

constexpr int designWidth = 800;
constexpr int designResolution = 96;
constexpr int designTextHeight = 14;
constexpr int minimumZoomPercent = 50;
constexpr int zoomStepPercent = 5;

// storedZoom: the settings store's value, absent when there is none; zero or below is ignored.
WindowScale windowScale(int screenWidth, int logicalDpi, std::optional<int> storedZoom);

// Sets positions, sizes and fonts of every designed control below root to the design values
// times the factors. The design values are remembered at the first call, so repeated zooming
// never accumulates rounding.
void scaleWidgets(QWidget* root, double layoutFactor, double fontFactor);

} // namespace kadmor
