#pragma once

#include "StripPicture.h"

#include <QDateTime>
#include <QImage>
#include <QString>

class QPainter;
struct EditState;
struct Rect;

// Paints the whole window from the editing state: the background with its title band, the
// picture or its look (mirrored, framed), the before/after comparison, the picture
// file while the crop tool shows it, and the crop overlay. Decoded files are kept between
// paints, so dragging the crop box only redraws.
class ViewPainter {
  public:
    static constexpr int kWidth = 1000;
    static constexpr int kHeight = 650;

    // Paints the 1000 x 650 surface; cropBox is the crop tool's box, drawn while cropMode is
    // set. The comparison shows for as long as compareActive is set.
    void paint(QPainter& painter, const EditState& state, const Rect& cropBox);

    // The look of the picture stretched into target: the filtered or lit raster when there is
    // one, else the plain one, mirrored by the view's flags, then the frame.
    void drawLook(QPainter& painter, const EditState& state, const Rect& target);

    // The veil over bounds with the box left clear, its handles, outline, size and centre lines.
    static void drawCropOverlay(QPainter& painter, const Rect& box, const Rect& bounds);
    // The size caption "w * h" is left out for an empty box and a single pixel.
    static bool showsCropCaption(int width, int height);

  private:
    const QImage& pictureFile(const QString& path);

    StripPicture::Cache m_startBackground;
    StripPicture::Cache m_background;
    StripPicture::Cache m_overlay;
    // The picture file is rewritten under the same name by later edits, so its time stamp and
    // size are part of what makes the cached copy valid.
    QString m_filePath;
    QDateTime m_fileStamp;
    qint64 m_fileSize = -1;
    QImage m_file;
};
