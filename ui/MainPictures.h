#pragma once
// The main window's pictures: the background, the portrait and the glyphs of the ration
// table's buttons, each rendered for the screen's scale.
namespace Ui {
class TMainForm;
}

void ShowMainWindowPictures(Ui::TMainForm& form);
