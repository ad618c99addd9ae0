#pragma once

#include <QString>

// The fixed-name working files of the editing pipeline and their clean-up. Every path is the
// working folder followed by one of the names below; the folder is looked up anew for every
// path, so a test can point it elsewhere before it starts.
namespace WorkFiles {

inline constexpr const char* kSourceCopy = "newfile.jpg";
inline constexpr const char* kSourceCopyAlt = "newfile1.jpg";
inline constexpr const char* kPreview = "newthumbfile.jpg";
inline constexpr const char* kReducedSource = "wl.jpg";
inline constexpr const char* kExportBase = "sss.jpg";
inline constexpr const char* kCroppedTurned = "wwllwl.jpg";
inline constexpr const char* kCropResultTurned = "wwll.jpg";
// The turned working picture of the Rotate command: quarter turns, then half and whole ones.
inline constexpr const char* kTurnedQuarter = "save.jpg";
inline constexpr const char* kTurnedHalf = "save2.jpg";
// The crop cuts, alternating between two names so a commit never overwrites the files of the
// one before it while it writes: preview size, then full size.
inline constexpr const char* kCropCut = "a/new.jpg";
inline constexpr const char* kCropCutAlt = "a/new1.jpg";
inline constexpr const char* kCropSourceCut = "a/source_cut.jpg";
inline constexpr const char* kCropSourceCutAlt = "a/source_cut1.jpg";
inline constexpr const char* kThumbFolder = "a";
inline constexpr const char* kResultFolder = "b";

// Working folder + name ("a/3.jpg" style names are fine).
QString path(const QString& name);
inline QString path(const char* name) {
    return path(QString::fromLatin1(name));
}

// "newfile.jpg" for an even intake count, "newfile1.jpg" for an odd one.
QString sourceCopyName(int copyCounter);
// "a/<n>.jpg" and "b/<n>.jpg": the thumbnail and the preview-size result of filter n (1-based).
QString thumbnailPath(int n);
QString filterResultPath(int n);
// "save_rot0.jpg" ... "save_rot270.jpg"; 360 and 0 both name "save_rot0.jpg".
QString rotatedCopyPath(int angle);

// Creates folder "a" or "b" in the working folder when it is not a directory yet; failures
// are ignored (the write that needs it will fail instead).
void ensureWorkFolder(const QString& name);

// Deletes "newfile.jpg" then "newfile1.jpg"; tells whether the first deletion succeeded.
bool deleteSourceCopies();

// Removes every working file and the folders "a" and "b" with whatever they hold.
void removeWorkFiles();

} // namespace WorkFiles
