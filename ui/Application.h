#pragma once
// Application-wide set-up done once before the first window is created: the title, the style,
// the fonts the windows are laid out with, the resources and the regional settings.
void SetUpApplication();

// The application's icon, for every window; set once the main window is on the screen, since
// the first view does not show it.
void SetUpWindowIcon();
