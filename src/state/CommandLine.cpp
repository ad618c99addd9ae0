#include "CommandLine.h"

#include "PictureTypes.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <cstdio>
#include <cstring>

namespace CommandLine {

QString version() {
    return QStringLiteral(LUMENKRAFT_VERSION);
}

InfoRequest infoRequest(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        // Whatever follows "--" is a file name, even one called --help.
        if (std::strcmp(argv[i], "--") == 0)
            break;
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            return InfoRequest::Help;
        if (std::strcmp(argv[i], "--version") == 0)
            return InfoRequest::Version;
    }
    return InfoRequest::None;
}

void print(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

QString editorHelp() {
    return QStringLiteral(
        "Usage: lumenkraft [PICTURE]\n"
        "\n"
        "A photo-effects editor: open a photo, give it a filter, a light or a frame, crop,\n"
        "turn and mirror it, and export or print the result.\n"
        "\n"
        "Arguments:\n"
        "  PICTURE      a picture to open at start, as a path or a file:// URL\n"
        "\n"
        "Options:\n"
        "  -h, --help   show this help and end\n"
        "  --version    show the version and end\n");
}

QString versionLine(const QString& program) {
    return program + QLatin1Char(' ') + version() + QLatin1Char('\n');
}

QString pictureArgument(const QStringList& arguments, const QString& workingFolder) {
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (!optionsEnded && argument == u"--") {
            optionsEnded = true;
            continue;
        }
        if (argument.isEmpty() || (!optionsEnded && argument.startsWith(QLatin1Char('-'))))
            continue;
        QString path;
        if (argument.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
            const QUrl url(argument);
            if (!url.isValid() || !url.isLocalFile())
                continue;
            path = url.toLocalFile();
        } else if (argument.contains(QLatin1String("://"))) {
            // Web addresses and the like: nothing the editor can open.
            continue;
        } else {
            path = QDir(workingFolder).absoluteFilePath(argument);
        }
        if (QFileInfo(path).isFile() && PictureTypes::isPictureName(path))
            return QDir::cleanPath(path);
    }
    return {};
}

} // namespace CommandLine
