#include "CcsAllApp.h"

#include "AppPaths.h"
#include "CcsAllDlg.h"
#include "MagickSession.h"
#include "RasterIO.h"

#include <QApplication>

int CcsAllApp::run(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lumenkraft"));
    QApplication::setApplicationDisplayName(QStringLiteral("Lumenkraft"));
    QApplication::setQuitOnLastWindowClosed(true);

    AppPaths::claimWorkFolder();
    RasterIO::allowLargePictures();
    MagickSession magick;

    int status = 0;
    {
        // The window joins its workers when it is destroyed, so it goes before MagickWand ends.
        CcsAllDlg window;
        window.show();
        status = app.exec();
    }
    return status;
}
