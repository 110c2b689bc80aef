// Build step: writes a picture of the program as a raw picture, the pixels its pixmap draws.
//
//   make_raw_picture SOURCE OUTPUT
//
// SOURCE is read by the decoder its extension names; OUTPUT is replaced whole or not at all.
#include "platform/raw_picture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: make_raw_picture SOURCE OUTPUT\n");
        return 2;
    }
    QImageReader reader(args[1], QFileInfo(args[1]).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
    const QByteArray raw = ui::ToRawPicture(reader.read());
    if (raw.isEmpty()) {
        std::fprintf(stderr, "make_raw_picture: %s: %s\n", qPrintable(args[1]),
                     qPrintable(reader.errorString()));
        return 1;
    }
    QDir().mkpath(QFileInfo(args[2]).absolutePath());
    QSaveFile out(args[2]);
    if (!out.open(QIODevice::WriteOnly) || out.write(raw) != raw.size() || !out.commit()) {
        std::fprintf(stderr, "make_raw_picture: %s: %s\n", qPrintable(args[2]),
                     qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
