// The yardsticks for start-up and memory: an empty Qt Widgets window, shown and nothing else;
// built with WITH_LABEL, the same window holding one line of text, which is what any text
// costs (reading the font configuration, loading a font).
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
#ifdef WITH_LABEL
    QLabel window(QStringLiteral("1 € = 6,55957 F"));
#else
    QWidget window;
#endif
    window.setWindowTitle(QStringLiteral("Bare"));
    window.show();
    return QApplication::exec();
}
