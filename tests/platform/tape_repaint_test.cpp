// The tape draws again only from an edited line down, for speed: whatever the edit, the screen
// must show what a fresh drawing shows, and look as Qt's own plain-text view looks.
#include "platform/tape_repaint.h"
#include "screen_picture.h"

#include <QImage>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <functional>
#include <gtest/gtest.h>

namespace {

// The rows of the view drawn since the last look.
class DrawnRows final : public QObject {
  public:
    QRegion region;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            region += static_cast<QPaintEvent*>(event)->region();
        return QObject::eventFilter(watched, event);
    }
};

using Edit = std::function<void(QPlainTextEdit&)>;

Edit appendLine(const QString& line) {
    return [line](QPlainTextEdit& e) {
        QTextCursor cursor(e.document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(line + QLatin1Char('\n'));
    };
}

Edit both(Edit first, Edit second) {
    return [first, second](QPlainTextEdit& e) {
        first(e);
        second(e);
    };
}

void caretToEnd(QPlainTextEdit& e) {
    e.moveCursor(QTextCursor::End);
    e.ensureCursorVisible();
}

// A tape view of the main window's size, shown; `ours` draws only from the edited line down.
struct Views {
    QPlainTextEdit qts, ours;
    DrawnRows drawn;
    Views() {
        ui::RepaintFromEditedLineDown(&ours);
        for (QPlainTextEdit* e : {&qts, &ours}) {
            e->setLineWrapMode(QPlainTextEdit::NoWrap);
            e->resize(193, 137);
            e->show();
        }
        ours.viewport()->installEventFilter(&drawn);
    }
    bool exposed() {
        return QTest::qWaitForWindowExposed(&qts) && QTest::qWaitForWindowExposed(&ours);
    }
    void apply(const Edit& edit) {
        edit(qts);
        edit(ours);
        QCoreApplication::processEvents();
    }
};

QString lines(int count) {
    QString text;
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("%1 + 3 =  %2\n").arg(i).arg(i + 3);
    return text;
}

TEST(TapeRepaint, ScreenShowsEveryEditAsQtWouldDrawIt) {
    struct Step {
        const char* name;
        Edit edit;
    };
    const Step steps[] = {
        {"a tape longer than the view", [](QPlainTextEdit& e) { e.setPlainText(lines(40)); }},
        {"the caret at the end", caretToEnd},
        {"a line added at the end, as by =", appendLine(QStringLiteral("12 + 3 =  15"))},
        {"a separator, the caret following, as by C",
         both(appendLine(QString(30, QLatin1Char('-'))), caretToEnd)},
        {"the last line taken back",
         [](QPlainTextEdit& e) {
             QTextCursor cursor(e.document());
             cursor.movePosition(QTextCursor::End);
             cursor.movePosition(QTextCursor::PreviousBlock, QTextCursor::KeepAnchor);
             cursor.removeSelectedText();
         }},
        {"a line broken in two inside the view",
         [](QPlainTextEdit& e) {
             QTextCursor cursor(e.document()->findBlockByNumber(e.document()->blockCount() - 4));
             cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::MoveAnchor, 3);
             cursor.insertText(QStringLiteral("\n"));
         }},
        {"a figure typed inside the view",
         [](QPlainTextEdit& e) {
             QTextCursor cursor(e.document()->findBlockByNumber(e.document()->blockCount() - 3));
             cursor.insertText(QStringLiteral("7"));
         }},
        {"scrolled to the top, a line added far below",
         both([](QPlainTextEdit& e) { e.verticalScrollBar()->setValue(0); },
              appendLine(QStringLiteral("1 + 1 =  2")))},
        {"scrolled halfway, lines taken away above the view",
         [](QPlainTextEdit& e) {
             e.verticalScrollBar()->setValue(20);
             QTextCursor cursor(e.document());
             cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, 5);
             cursor.removeSelectedText();
         }},
        {"a line wider than the view, at the end",
         both(appendLine(QString(80, QLatin1Char('-'))), caretToEnd)},
        {"the top line edited",
         [](QPlainTextEdit& e) {
             QTextCursor cursor(e.cursorForPosition(QPoint(0, 0)).block());
             cursor.insertText(QStringLiteral("\n"));
         }},
        {"everything cleared", [](QPlainTextEdit& e) { e.setPlainText(QString()); }},
        {"a short tape again", appendLine(QStringLiteral("4 x 2 =  8"))},
    };
    Views views;
    if (!views.exposed())
        GTEST_SKIP() << "no window system";
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        views.apply(step.edit);
        EXPECT_EQ(test::difference(test::onScreen(views.ours), test::drawnNow(views.ours)), "");
        EXPECT_EQ(test::difference(test::drawnNow(views.ours), test::drawnNow(views.qts)), "");
    }
}

// What the speed is for: a line added at the bottom of a long tape draws a strip of the view,
// not all of it.
TEST(TapeRepaint, LineAddedAtTheBottomDrawsOnlyTheBottomOfTheView) {
    const std::pair<const char*, Edit> keys[] = {
        {"=", appendLine(QStringLiteral("12 + 3 =  15"))},
        {"C", both(appendLine(QString(30, QLatin1Char('-'))), caretToEnd)},
    };
    Views views;
    if (!views.exposed())
        GTEST_SKIP() << "no window system";
    views.apply(both([](QPlainTextEdit& e) { e.setPlainText(lines(1000)); }, caretToEnd));
    for (const auto& [key, edit] : keys) {
        SCOPED_TRACE(key);
        views.drawn.region = QRegion();
        views.apply(edit);
        const int viewHeight = views.ours.viewport()->height();
        EXPECT_GT(views.drawn.region.boundingRect().height(), 0);
        EXPECT_LT(views.drawn.region.boundingRect().height(), viewHeight / 3);
    }
}

} // namespace
