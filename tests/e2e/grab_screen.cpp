// Saves what the X display shows as a PNG file, for the end-to-end suite's pictures:
//   jotwise_grab_screen FILE.png [X Y WIDTH HEIGHT]
// With a rectangle, only that part of the screen is kept.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 6) {
        std::fputs("usage: jotwise_grab_screen FILE.png [X Y WIDTH HEIGHT]\n", stderr);
        return 2;
    }
    int x = 0, y = 0, width = -1, height = -1;
    if (argc == 6) {
        x = std::atoi(argv[2]);
        y = std::atoi(argv[3]);
        width = std::atoi(argv[4]);
        height = std::atoi(argv[5]);
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen ||
        !screen->grabWindow(0, x, y, width, height).save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "jotwise_grab_screen: could not save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
