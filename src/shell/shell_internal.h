#pragma once
// Pieces of the shell shared between its own files (not for pages).
#include <QString>

namespace shell {

// page_paint.cpp: the background image, the off-screen surface and the fonts.
void createSurfaces(int window);
void createFonts(int window);
int backgroundBitmap();
int surfaceBitmap();
void forgetSurfacesAndFonts();
void clearProgressBar(); // the footer shows its shading again on the next paint

// bars.cpp: the top bar, the close button, the print button with its field,
// "Donera numera" and the tools menu.
void createBars(int window);
void forgetBars();
int donateButton();
void showToolsMenu(bool shown);

// notes_box.cpp
void createNotesBox(int window);
int saveNotes(); // the view's text into the notes file; 0 done
void forgetNotesBox();

// main_window.cpp
void setWindowTitle(const QString& text);

} // namespace shell
