// Qt's own texts (the file dialog's labels and buttons, the editing menu of the text boxes) in
// French, from the desktop's Qt translations when it has them. Loaded at their first need, not
// at start.
#pragma once

class QCoreApplication;

namespace ui {

// Loads and installs Qt's French translation once; without it Qt's texts stay as they are.
void UseQtTextsInFrench();

// Calls UseQtTextsInFrench() at the program's first context menu, before the menu is made.
void UseQtTextsInFrenchAtFirstMenu(QCoreApplication& application);

} // namespace ui
