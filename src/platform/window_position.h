// A top-level window's outer position and size in twips, as the windows' layouts are written.
// A position set in twips reads back as set while the window stays on the pixel it was put on,
// so that arithmetic on positions stays exact; a window moved since reads its pixel position.
#pragma once

class QWidget;

namespace ui {

int WindowLeft(const QWidget& window);
int WindowTop(const QWidget& window);
int WindowWidth(const QWidget& window);
int WindowHeight(const QWidget& window);

void SetWindowLeft(QWidget& window, int twips);
void SetWindowTop(QWidget& window, int twips);

} // namespace ui
