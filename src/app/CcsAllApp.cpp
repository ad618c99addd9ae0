#include "CcsAllApp.h"

#include "AppPaths.h"
#include "CcsAllDlg.h"
#include "CommandLine.h"
#include "MagickSession.h"
#include "RasterIO.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

int CcsAllApp::run(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lumenkraft"));
    QApplication::setApplicationDisplayName(QStringLiteral("Lumenkraft"));
    // Ties the window to its menu entry, so the desktop shows the entry's name and icon for it.
    QApplication::setDesktopFileName(QStringLiteral(LUMENKRAFT_APP_ID));
    QApplication::setQuitOnLastWindowClosed(true);

    AppPaths::claimWorkFolder();
    RasterIO::allowLargePictures();
    MagickSession magick;

    int status = 0;
    {
        // The window joins its workers when it is destroyed, so it goes before MagickWand ends.
        CcsAllDlg window;
        window.show();
        // A picture handed over by a file manager or the menu entry is taken in once the window
        // is up, exactly as if it had been chosen in the open dialog.
        const QString picture = CommandLine::pictureArgument(QApplication::arguments(), QDir::currentPath());
        if (!picture.isEmpty())
            QTimer::singleShot(0, &window, [&window, picture] { window.openPicture(picture); });
        status = app.exec();
    }
    return status;
}
