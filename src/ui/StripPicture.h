#pragma once

#include <QImage>
#include <QRect>
#include <QString>

// The control pictures: horizontal strips of three equal states (normal, pressed, inactive)
// kept in the UI/ folder of the resources.
namespace StripPicture {

enum State : int { Normal = 0, Pressed = 1, Inactive = 2 };

// The artwork is drawn at twice the size it takes on screen, so it stays sharp on high-density
// screens; controls that draw a strip at its own size divide by this.
inline constexpr int kArtworkScale = 2;

// programFolder() + "UI/" + fileName.
QString uiPath(const QString& fileName);

// The source rectangle of one state in a strip of the given size: the state width is
// width / 3 (integer division), so the last column of a strip whose width is not a multiple
// of three is never shown.
QRect stateSource(const QSize& stripSize, State state);

// Decodes a control picture once and keeps it until the path changes. A picture that cannot
// be decoded stays null, and the control then draws nothing in its place.
class Cache {
  public:
    const QImage& get(const QString& path);

  private:
    QString m_path;
    QImage m_image;
};

} // namespace StripPicture
