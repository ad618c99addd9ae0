#pragma once

#include <QFrame>
#include <QList>
#include <QStringList>
#include <QThreadPool>

#include <functional>

class CImgCtrl;
class QScrollBar;

// A scrolling grid of thumbnail cells in two columns, one per look of a panel. Cells are
// reused after ClearAll rather than destroyed; the list scrolls by whole rows of 95 pixels
// and keeps a selection: one current cell from a click, or every cell from Ctrl+A.
class CPicList : public QFrame {
    Q_OBJECT
  public:
    static constexpr int kPitch = 95;
    static constexpr int kGap = 10;
    static constexpr int kPage = 3;

    explicit CPicList(QWidget* parent = nullptr);
    ~CPicList() override;

    // Every cell ever created, in index order.
    QList<CImgCtrl*> cells;
    // Only 2 places new cells; any other value gives them an empty rectangle.
    int columns = 2;
    CImgCtrl* currentCell = nullptr;
    QList<CImgCtrl*> multiSelection;
    QStringList acceptedExtensions;
    QString lastFolderPattern;
    // Names the look a cell shows (its index and picture) for the cell's tooltip; a list
    // without it, or a look without a name, shows none.
    std::function<QString(int index, const QString& picturePath)> lookNameOf;

    // Adds a cell for the picture; false, with nothing changed, when the file name's extension
    // is not one of acceptedExtensions (compared without regard to case).
    bool AddPicture(const QString& path);
    // Adds every file matching a folder pattern ("<folder>/border*.png"), sorted by name. The
    // same pattern as last time (case aside) is not scanned again.
    void AddFolder(const QString& pattern);
    void ForgetLastFolder() { lastFolderPattern.clear(); }
    // Frees every cell in use, clears the selection and scrolls back to the top.
    void ClearAll();
    void ClearSelection();
    // Scrolls so the row of the cell is the top one, as far as the rows allow.
    void ScrollToItem(int index);
    // Makes the cell the selected current one.
    void SetCurrentCell(int index);

    // The cells in use: every cell but the run of free ones at the end.
    int visibleCount() const;
    int rows() const { return (visibleCount() + 1) / 2; }
    int scrollPosition() const { return m_position; }
    // Rows; the position runs from 0 to rows - 2.
    int scrollMaximum() const { return m_scrollMax; }
    QScrollBar* scrollBar() const { return m_scrollBar; }
    // The rectangle cell index takes at the current scroll position, in the viewport that
    // holds the cells.
    QRect cellRect(int index) const;

    // Called by a cell: the list side of a click and of a release.
    void cellClicked(CImgCtrl* cell, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void cellReleased(CImgCtrl* cell);
    void selectAll();

    // The pool that decodes the cells' pictures; the list waits for it before it goes.
    QThreadPool& loadPool() { return m_loadPool; }

  public slots:
    // The hand-over of a finished thumbnail file: AddPicture with it, on the list's thread. A
    // worker reaches it through a blocking queued connection, so it never runs ahead of the list.
    void thumbReady(const QString& thumbnailPath);

  signals:
    // A cell was pressed, after the list has updated its selection; currentCell tells which
    // look (if any) is chosen now.
    void thumbClicked(CImgCtrl* cell);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    static void refuseDrop(QDropEvent* event);
    void setPosition(int position);
    void updateScrollRange();
    void placeCells();

    QWidget* m_viewport;
    QScrollBar* m_scrollBar;
    int m_position = 0;
    int m_scrollMax = 0;
    QThreadPool m_loadPool;
};
