#include "Datagen.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

// lk_datagen OUT_DIR [ui|frames|lights|icons ...]
// Draws the shipped artwork into OUT_DIR; with no part named, draws the data folders (ui, frames
// and lights). The desktop icons are installed elsewhere and drawn only when asked for.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: lk_datagen OUT_DIR [ui|frames|lights|icons ...]\n");
        return 2;
    }
    const QString outDir = QDir(args.first()).absolutePath();
    QStringList parts = args.mid(1);
    if (parts.isEmpty())
        parts = {QStringLiteral("ui"), QStringLiteral("frames"), QStringLiteral("lights")};
    for (const QString& part : parts) {
        if (part == u"ui")
            Datagen::generateUiPictures(outDir);
        else if (part == u"frames")
            Datagen::generateFrames(outDir);
        else if (part == u"lights")
            Datagen::generateLights(outDir);
        else if (part == u"icons")
            Datagen::generateIcons(outDir);
        else {
            std::fprintf(stderr, "lk_datagen: unknown part %s\n", qPrintable(part));
            return 2;
        }
    }
    return 0;
}
