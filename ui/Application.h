#pragma once
// Application-wide set-up done once before the first window is created: the title, the icon,
// the style, the fonts the windows are laid out with, the resources and the regional settings.
void SetUpApplication();
