#pragma once
// The six windows, created once in this order and destroyed in reverse: MainForm, ProductsForm,
// ProductDescriptionForm, ProductGridDescForm, HelpForm, NeedDescForm. The secondary windows
// belong to the main window and stay hidden until asked for; they are created right after the
// main window's first paint, or earlier when something needs one (SecondaryForm.h). The
// application's window icon is set after that paint too.
void CreateForms();
void DestroyForms();
