#pragma once

#include "EditState.h"
#include "Editor.h"
#include "ExportJob.h"
#include "ExportOverlay.h"
#include "ViewPainter.h"

#include <QIcon>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

class CButtonX;
class CImgCtrl;
class CPicList;
class PntDialg;
class StrengthBar;
class reComb;

// The editor's one window: a frameless, self-painted 1000 x 650 surface at (0, 0) hosting the
// picture buttons, the drop-down fields and the three thumbnail lists. It routes every command
// to a handler slot and paints the view; the editing itself happens in the Editor, whose
// answers the slots apply to the widgets.
class CcsAllDlg : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kWidth = 1000;
    static constexpr int kHeight = 650;
    // The area that picture and crop changes repaint.
    static constexpr QRect kViewInvalidation{5, 40, 715, 540};

    explicit CcsAllDlg(QWidget* parent = nullptr);
    ~CcsAllDlg() override;

    // The one editing state, owned by the editor.
    EditState& state() { return m_editor.state(); }
    Editor& editor() { return m_editor; }

    // Picture buttons.
    CButtonX* closeButton = nullptr;
    CButtonX* minimizeButton = nullptr;
    CButtonX* printButton = nullptr;
    CButtonX* exportButton = nullptr;
    CButtonX* helpButton = nullptr;
    CButtonX* loadButton = nullptr;
    CButtonX* cropButton = nullptr;
    CButtonX* orientationButton = nullptr;
    CButtonX* cancelCropButton = nullptr;
    CButtonX* confirmCropButton = nullptr;
    CButtonX* rotateButton = nullptr;
    CButtonX* flipHorizontalButton = nullptr;
    CButtonX* flipVerticalButton = nullptr;
    CButtonX* compareButton = nullptr;
    CButtonX* randomButton = nullptr;
    CButtonX* filterTabButton = nullptr;
    CButtonX* lightTabButton = nullptr;
    CButtonX* frameTabButton = nullptr;
    CButtonX* undoButton = nullptr;
    CButtonX* redoButton = nullptr;

    // How strongly the look shows; under the picture while a filter or light is on.
    StrengthBar* strengthBar = nullptr;

    // Drop-down fields; the three category fields share one place.
    reComb* ratioDropDown = nullptr;
    reComb* filterCategoryDropDown = nullptr;
    reComb* lightCategoryDropDown = nullptr;
    reComb* frameCategoryDropDown = nullptr;

    // What each drop-down's reported position stands for. "Original" has no trailing blank
    // here, unlike its menu text.
    QStringList ratioNames;
    QStringList filterCategoryNames;
    QStringList lightCategoryNames;
    QStringList frameCategoryNames;

    // One list per panel, all at one place.
    CPicList* filterList = nullptr;
    CPicList* lightList = nullptr;
    CPicList* frameList = nullptr;

    QIcon appIcon;

    // The print dialog, made at the first print and kept for the window's life.
    PntDialg* printDialog = nullptr;

    // Tells the user a file cannot be taken in, or why an export failed; a message box unless
    // replaced.
    std::function<void(const QString& text)> showNotice;
    // Asks where to export, opening in folder with name proposed; an empty text when the user
    // cancels. The save dialog unless replaced.
    std::function<QString(const QString& folder, const QString& name)> chooseExportPath;

    ExportJob& exportJob() { return m_exportJob; }
    const ExportOverlay& exportOverlay() const { return m_exportOverlay; }

    // Where a left press starts a window move: strictly inside the title band.
    static bool inTitleBand(const QPoint& pos);
    // Where a double-click opens a picture (outside crop mode).
    static bool inOpenArea(const QPoint& pos);

    // The list of a panel (EffectPanel).
    CPicList* listOf(int panel) const;
    // Repaints the picture area after an editing command.
    void invalidateView();

    // What the open dialog does with the file the user chose: the intake of that picture.
    void openPicture(const QString& path);

    // The states of the editing tools that decide which controls can be used; the table in
    // CcsAllDlgTools.cpp lists, for each, the controls it enables and disables.
    enum class ToolControls { CropOpen, CropClosed, CompareOn, CompareOff, Exporting, ThumbnailRun };
    void applyToolControls(ToolControls set);

  public slots:
    // Window commands.
    virtual void onCloseButton();
    virtual void onMinimizeButton();
    virtual void onHelp();
    virtual void onPrint();
    virtual void onExport();
    // Picture intake: the load button, a double-click in the view, a drop.
    virtual void onLoadPicture();
    virtual void onFilesDropped(const QStringList& paths);
    // Crop tool.
    virtual void onCrop();
    virtual void onOrientation();
    virtual void onCropRatioChosen(int position);
    virtual void onConfirmCrop();
    virtual void onCancelCrop();
    // Turns and mirrors.
    virtual void onRotate();
    virtual void onFlipHorizontal();
    virtual void onFlipVertical();
    // Compare and random look.
    virtual void onCompare();
    virtual void onRandomLook();
    // Undo and redo, and the strength of the look.
    virtual void onUndo();
    virtual void onRedo();
    virtual void onStrengthMoved(int percent);
    virtual void onStrengthFinished();
    // Panels and their categories.
    virtual void onFilterTab();
    virtual void onLightTab();
    virtual void onFrameTab();
    virtual void onFilterCategoryChosen(int position);
    virtual void onLightCategoryChosen(int position);
    virtual void onFrameCategoryChosen(int position);
    // A press on a thumbnail, after its list has updated its current cell.
    virtual void onThumbClicked(CImgCtrl* cell);
    // Mouse in the window outside the controls and the title band (the crop box).
    virtual void onViewPress(const QPoint& pos);
    virtual void onViewMove(const QPoint& pos, Qt::MouseButtons buttons);
    virtual void onViewRelease(const QPoint& pos);

  protected:
    // However the window is closed, an export under way is written to the end first and the
    // thumbnail run is stopped.
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void createButtons(int first, int last);
    void createDropDowns();
    void createLists();
    // The keyboard shortcuts of the commands, and the tooltips that name them.
    void createShortcuts();
    void openFromView();
    void takeIn(const QString& path, IntakeSource source);
    void showPanel(int panel);
    void showPanelWidgets(int panel);
    void fillList(CPicList* list, const ListContent& content);
    void onWorkerFinished();
    // Export (CcsAllDlgExport.cpp).
    void setUpExport();
    QString askExportPath(const QString& folder, const QString& name);
    void releaseExportControls();
    void applyToolColumn(int column);
    void onExportProgress(const QString& stage, double fraction);
    void onExportFinished(const ExportOutcome& outcome);
    void createHistoryControls();
    // Undo, redo and the strength bar as the edit and its history now allow.
    void updateHistoryControls();
    void showHistoryMove(Editor::HistoryMove move);
    // Each list marks the cell of the look part in force, showing every entry again when the
    // category shown does not hold it.
    void showRestoredCells();
    // Tells the user when the last command could not apply or keep the look, and leaves the
    // lists marking what is applied.
    void tellLookProblem();

    // Destroyed before the lists: its worker may still hand a thumbnail to the filter list.
    Editor m_editor;
    ViewPainter m_painter;
    // Destroyed before the editor, whose state holds the flag it raises.
    ExportJob m_exportJob{m_editor.state().exportBusy};
    ExportOverlay m_exportOverlay;
    QTimer m_noticeTimer;
    QString m_lastExportFolder;
    // The folder of the last picture chosen during this run; the open dialog starts there.
    QString m_lastOpenFolder;
    // The close button was pressed: the close removes the working files.
    bool m_endSession = false;
};
