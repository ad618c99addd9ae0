#include "MagickSession.h"

#include "AppPaths.h"

#include <QFileInfo>

#include <wand/MagickWand.h>

MagickSession::MagickSession() {
    // ImageMagick reads policy.xml from MAGICK_CONFIGURE_PATH when it starts, so this must be
    // set before MagickWandGenesis. The system's policy still applies on top of ours.
    const QString policyFolder = AppPaths::programFolder() + QStringLiteral("magick");
    if (qEnvironmentVariableIsEmpty("MAGICK_CONFIGURE_PATH") && QFileInfo(policyFolder + "/policy.xml").exists())
        qputenv("MAGICK_CONFIGURE_PATH", policyFolder.toUtf8());
    MagickWandGenesis();
}

MagickSession::~MagickSession() {
    MagickWandTerminus();
}
