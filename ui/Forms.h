#pragma once
// The six windows, created once in this order and destroyed in reverse: MainForm, ProductsForm,
// ProductDescriptionForm, ProductGridDescForm, HelpForm, NeedDescForm. The secondary windows
// belong to the main window and stay hidden until asked for.
void CreateForms();
void DestroyForms();
