#include "MainPictures.h"

#include "ui_Main.h"

#include "Pictures.h"

void ShowMainWindowPictures(Ui::TMainForm& form) {
    ShowPicture(*form.BackImage, QStringLiteral("back"));
    ShowPicture(*form.PortraitImage, QStringLiteral("portrait"));
    const QSize glyph(16, 16);
    form.AddProductBtn->setIcon(PictureIcon(QStringLiteral("add"), glyph));
    form.DelProductBtn->setIcon(PictureIcon(QStringLiteral("delete"), glyph));
    form.ProductInfoBtn->setIcon(PictureIcon(QStringLiteral("info"), glyph));
}
