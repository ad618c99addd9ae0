#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>

class CPicList;

// One thumbnail cell of a list: 85 x 85 pixels, its picture decoded and scaled in the
// background. Clicks go to the list first, which updates its selection, and the list then
// tells the window.
class CImgCtrl : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kSize = 85;

    CImgCtrl(CPicList* list, QWidget* parent);

    int index = -1;
    QString picturePath;
    int margin = 5;
    // Hidden and waiting to be reused.
    bool free = false;
    bool selected = false;
    QImage thumbnail;
    QRect thumbRect;

    // Stores the path and starts its background load; an empty path drops the thumbnail.
    // Only the newest call's picture is ever shown.
    void SetPicture(const QString& path);

    // A load is under way for the current picture.
    bool loading() const { return m_loading; }

    // The name of the look this cell shows, as its tooltip gives it.
    QString lookName() const;

  signals:
    // The current picture has been loaded (or found unreadable) and the cell repainted.
    void thumbnailLoaded();

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    CPicList* m_list;
    // Counts SetPicture calls; a load carries the count it was started with and is dropped
    // when a newer call has happened since.
    quint64 m_generation = 0;
    bool m_loading = false;
};
