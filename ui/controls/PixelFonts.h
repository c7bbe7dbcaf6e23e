#pragma once
// Designer stores font sizes in whole points only, but the windows are laid out with character
// heights in pixels. A widget in a .ui file carries its height as the dynamic property
// "pixelSize"; this applies them.
class QWidget;

void ApplyPixelFonts(QWidget& root);
