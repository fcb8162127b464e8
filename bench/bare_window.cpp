// A bare Qt program that shows one empty window of a given size: what start-up
// costs before the program does anything of its own.
// Usage: ostrane_bare_window <width> <height>
#include <QApplication>
#include <QWidget>

#include <cstdlib>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowTitle(QStringLiteral("Nu"));
    w.resize(argc > 2 ? std::atoi(argv[1]) : 800, argc > 2 ? std::atoi(argv[2]) : 600);
    w.show();
    return app.exec();
}
