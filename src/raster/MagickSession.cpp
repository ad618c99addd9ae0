#include "MagickSession.h"

#include "AppPaths.h"

#include <QFileInfo>

#include <mutex>

#include <wand/MagickWand.h>

namespace {

// TIFF pictures are decoded and encoded by Qt alone. ImageMagick's TIFF coder, once loaded,
// swaps libtiff's process-wide error and warning handlers for its own, which report into the
// exception of the read that last ran on the thread. A libtiff warning raised later inside Qt on
// that thread (a camera TIFF with a private tag is enough) then writes into an exception long
// freed, and the program aborts. With the coder never loaded libtiff keeps its own handlers.
constexpr const char* kTiffStaysWithQt = R"(<policymap>
  <policy domain="module" rights="none" pattern="{TIFF,TIF,TIFF64,PTIF,GROUP4}"/>
  <policy domain="coder" rights="none" pattern="{TIFF,TIF,TIFF64,PTIF,GROUP4}"/>
</policymap>)";

// The holders of MagickOneThreadPerOperation and the limit they put back.
struct ThreadLimitHolders {
    std::mutex mutex;
    int count = 0;
    MagickSizeType before = 0;
};

ThreadLimitHolders& threadLimitHolders() {
    static ThreadLimitHolders holders;
    return holders;
}

} // namespace

MagickSession::MagickSession() {
    // ImageMagick reads policy.xml from MAGICK_CONFIGURE_PATH when it starts, so this must be
    // set before MagickWandGenesis. The system's policy still applies on top of ours.
    const QString policyFolder = AppPaths::programFolder() + QStringLiteral("magick");
    if (qEnvironmentVariableIsEmpty("MAGICK_CONFIGURE_PATH") &&
        QFileInfo(policyFolder + "/policy.xml").exists())
        qputenv("MAGICK_CONFIGURE_PATH", policyFolder.toUtf8());
    MagickWandGenesis();
    ExceptionInfo* exception = AcquireExceptionInfo();
    SetMagickSecurityPolicy(kTiffStaysWithQt, exception);
    DestroyExceptionInfo(exception);
}

MagickSession::~MagickSession() {
    MagickWandTerminus();
}

MagickOneThreadPerOperation::MagickOneThreadPerOperation() {
    ThreadLimitHolders& holders = threadLimitHolders();
    const std::lock_guard<std::mutex> lock(holders.mutex);
    if (holders.count++ == 0) {
        holders.before = GetMagickResourceLimit(ThreadResource);
        SetMagickResourceLimit(ThreadResource, 1);
    }
}

MagickOneThreadPerOperation::~MagickOneThreadPerOperation() {
    ThreadLimitHolders& holders = threadLimitHolders();
    const std::lock_guard<std::mutex> lock(holders.mutex);
    if (--holders.count == 0)
        SetMagickResourceLimit(ThreadResource, holders.before);
}
