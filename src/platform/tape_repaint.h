// The tape's text, drawn again only from the line an edit touched down.
//
// Qt's plain-text layout asks for its whole view to be drawn again whenever an edit adds or
// takes away a line, although nothing above the edited line has moved: on a tape that gains a
// line with "=" and "C", that is every visible line shaped and drawn again, and the whole view
// sent to the display, for one new line at the bottom.
#pragma once

class QPlainTextEdit;

namespace ui {

// Gives `edit` a new, empty document whose edits are drawn again from their first line down
// only (nothing at all when that line is below the view). Everything else, the whole view
// included when the edit starts at or above its first line, is drawn as Qt draws it. Call it
// before the edit holds any text; a Qt that connects its views otherwise is left as it is.
void RepaintFromEditedLineDown(QPlainTextEdit* edit);

} // namespace ui
