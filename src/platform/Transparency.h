#pragma once

// Window translucency.

class QWidget;

// Lets the window's own pixels carry alpha; must run before the window is first shown.
void MakeTransparentMBS(QWidget* window);
// The whole window's opacity: 1 - value/100, value kept within 0..100.
bool SetTransparencyMBS(QWidget* window, int value);
