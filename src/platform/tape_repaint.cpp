#include "platform/tape_repaint.h"

#include <QAbstractTextDocumentLayout>
#include <QMetaObject>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <optional>

namespace ui {

namespace {

// Qt's plain-text layout, telling where the edit it is laying out begins.
class EditTrackingLayout final : public QPlainTextDocumentLayout {
  public:
    using QPlainTextDocumentLayout::QPlainTextDocumentLayout;

    // The document position where the edit being laid out begins; none between edits.
    std::optional<int> editStart() const { return editStart_; }

    void documentChanged(int from, int charsRemoved, int charsAdded) override {
        const QScopedValueRollback<std::optional<int>> during(editStart_, from);
        QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
    }

  private:
    std::optional<int> editStart_;
};

// The edit's text control: Qt's private object between the document and the view, which passes
// the layout's requests for drawing on to the view.
QObject* textControl(QPlainTextEdit* edit) {
    for (QObject* child : edit->children())
        if (child->metaObject()->indexOfSignal("updateRequest(QRectF)") >= 0)
            return child;
    return nullptr;
}

// During an edit that starts below the view's first line, asks for the view to be drawn from
// the edited line down, or for nothing when that line is below the view. False otherwise: the
// request is then passed on as the layout made it.
bool drawFromEditedLineDown(QPlainTextEdit* edit, const EditTrackingLayout& layout) {
    const std::optional<int> start = layout.editStart();
    if (!start)
        return false;
    const QTextBlock edited = layout.document()->findBlock(*start);
    if (!edited.isValid())
        return false;
    // In the view's coordinates; Qt places a line well below the view without laying out all
    // the lines between.
    const int top = edit->cursorRect(QTextCursor(edited)).top();
    if (top <= 0)
        return false;
    QWidget* view = edit->viewport();
    if (top < view->height())
        view->update(0, top, view->width(), view->height() - top);
    return true;
}

} // namespace

void RepaintFromEditedLineDown(QPlainTextEdit* edit) {
    QObject* control = textControl(edit);
    if (!control)
        return;
    QTextDocument* previous = edit->document();
    auto* document = new QTextDocument(edit);
    auto* layout = new EditTrackingLayout(document);
    document->setDocumentLayout(layout);
    document->setDefaultFont(previous->defaultFont());
    document->setDocumentMargin(previous->documentMargin());
    layout->setPaintDevice(previous->documentLayout()->paintDevice());
    // The control deletes the document it made itself.
    edit->setDocument(document);
    // The layout's one connection to the control passes its requests on as they are.
    if (!QObject::disconnect(layout, &QAbstractTextDocumentLayout::update, control, nullptr))
        return;
    QObject::connect(layout, &QAbstractTextDocumentLayout::update, control,
                     [edit, layout, control](const QRectF& rect) {
                         if (!drawFromEditedLineDown(edit, *layout))
                             QMetaObject::invokeMethod(control, "updateRequest",
                                                       Qt::DirectConnection, Q_ARG(QRectF, rect));
                     });
}

} // namespace ui
