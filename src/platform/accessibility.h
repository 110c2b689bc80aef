// What the windows tell screen readers beyond what Qt's widgets say by themselves: the role of
// panels, lines and windows, the controls that readers should pass over, the presses of
// controls Qt takes for text, and the popup menu a window has open.
#pragma once

#include <QAccessible>
#include <QString>
#include <functional>

class QWidget;

namespace ui {

// `widget` announces itself with `role`: a panel as a pane rather than a window frame, a line
// as a separator, one of the program's windows as a window rather than a filler. Only for
// widgets with nothing to read or do (frames, plain widgets, pictures): the interface replaces
// Qt's own.
void SetAccessibleRole(QWidget* widget, QAccessible::Role role);

// `widget` stays out of what screen readers show: a picture that is pure decoration, a control
// placed where the user never sees it. It keeps working as before.
void HideFromScreenReaders(QWidget* widget);

// `widget`, a control Qt reads as mere text or picture (a label that opens a menu, a picture
// that opens a page), announces itself with `role` and offers readers a press that runs `press`
// as a click would, `keys` being the key that does the same.
void SetAccessibleAction(QWidget* widget, QAccessible::Role role, std::function<void()> press,
                         const QString& keys = {});

// Installs the interface factory behind the two above. Once the QApplication exists: the last
// factory installed is asked first, so it comes before Qt's own guesses.
void InstallAccessibility();

} // namespace ui
