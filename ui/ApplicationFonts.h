#pragma once
// The fonts the windows are laid out with, made available under their Windows names: the
// program's own Tahoma, regular and bold (compiled in), and Debian's close substitutes for
// Times New Roman, Courier New and Monotype Corsiva.
void SetUpFonts();
