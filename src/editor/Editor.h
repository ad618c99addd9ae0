#pragma once

#include "CatalogTypes.h"
#include "CropTool.h"
#include "EditHistory.h"
#include "EditState.h"
#include "Intake.h"
#include "LookCommands.h"
#include "Panels.h"
#include "ThumbnailWorker.h"

#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <array>
#include <atomic>
#include <optional>

// The editing logic behind the main window: taking in a picture, the panels and their
// categories, and a click on a look. It owns the editing state, the catalogues and the
// thumbnail worker; the window routes each command to one method here and shows what it
// returns.
//
// Wiring a window to it:
//   connect(&editor, &Editor::thumbnailReady, filterList, <add the cell>, Qt::BlockingQueuedConnection);
//   connect(&editor, &Editor::workerFinished, window, <enable tabs, tools, export and print>);
//   connect(&editor, &Editor::viewChanged, view, <repaint>);
// The window acts on an intake's outcome before it returns to its event loop; thumbnails of
// the new picture are queued behind it, so the filter list is always cleared before the first
// one arrives.
class Editor : public QObject {
    Q_OBJECT
  public:
    enum class IntakeOutcome {
        Refused,     // a worker or an export runs: nothing happened
        NotAPicture, // show "sorry,the file is not a picture!"; nothing changed
        NotWritten,  // its working files could not be written: show intakeProblem(); nothing changed
        SameFile,    // the current file again: picture, geometry and look reset, thumbnails kept
        NewPicture,  // clear the filter list and every selection, disable the tab, export and
                     // print buttons until workerFinished; the filter thumbnails are on their way
    };

    explicit Editor(QObject* parent = nullptr);
    ~Editor() override; // stops a thumbnail run still going at its next step and waits for it

    // A worker renders thumbnails or an export runs: intake, clicks and filter categories are
    // refused. The window checks this before it opens the file dialog.
    bool busy() const { return m_state.busy(); }

    // Makes path the working picture: from the open dialog (any file) or a drop (picture
    // names only). The picture is decoded once; its preview, rotated copies and rasters all come
    // from that one decode.
    IntakeOutcome takeIn(const QString& path, IntakeSource source);
    // Why the last intake was NotWritten, in words for the user.
    const QString& intakeProblem() const { return m_intakeProblem; }

    // A tab button: which panel is shown. Lists keep their contents while hidden.
    void showPanel(EffectPanel panel);

    // A category drop-down's choice at position (its index in kFilterCategoryNames and so on):
    // the content the panel's list must now show. Nothing for a position outside the table, or
    // for a filter category while the filter list is still being filled.
    std::optional<ListContent> chooseFilterCategory(int position);
    std::optional<ListContent> chooseLightCategory(int position);
    std::optional<ListContent> chooseFrameCategory(int position);

    // A click on a cell of the active panel's list, with the list's current cell after the
    // click: applies that filter, light or frame at the current rotation. Ignored (false) while
    // busy or before the first picture; false too when the look cannot be made, with the look
    // before the click kept and a problem to tell (takeLookProblem).
    bool thumbClicked(const ThumbClick& click);

    // Why the last command could not apply or keep the look, in words for the user, once; empty
    // when it could. A crop, a turn or a random look that cannot make the look on the changed
    // picture drops it; currentCell() then no longer names it.
    QString takeLookProblem();

    // --- The editing tools: crop, turns and mirrors, compare, random look ---

    // Opens the crop tool over the picture as taken in, the box where it was last left. False,
    // with only the before/after view ended, before the first picture.
    bool openCrop();
    // The ratio field's choice at position (0 Free ... 5 Original) and the orientation button.
    void chooseCropRatio(int position);
    void toggleCropOrientation();
    // The mouse over the window outside its controls; see CropTool.
    CropTool::Press cropPress(const QPoint& p);
    CropCursor cropMove(const QPoint& p, bool buttonsOrKeysHeld);
    void cropRelease();
    const CropTool& cropTool() const { return m_cropTool; }

    enum class CropCommit {
        Refused,   // busy, or not in crop mode: nothing happened
        EmptyBox,  // the box holds no pixel of the picture: crop mode stays open
        Failed,    // the cut could not be made or written: crop mode stays open
        Committed, // crop mode closed; the cut, turned and with the look, is the working picture
    };
    // Ok in crop mode: cuts the box out of the preview and the full-size picture as taken in.
    CropCommit confirmCrop();
    // Cancel in crop mode: back to the working picture as it was. False outside crop mode.
    bool cancelCrop();

    // A further quarter turn counter-clockwise, the look computed anew on the turned picture.
    // Refused (false) while busy, in crop mode or before the first picture.
    bool rotate();
    // Mirror flags only: nothing is computed and no file is written.
    bool flipHorizontal();
    bool flipVertical();

    enum class CompareView { Refused, Shown, Hidden };
    // The first press shows the picture without and with its look side by side until the
    // second press.
    CompareView compare();

    // A random filter, light and frame applied at once. The lists show every entry again; each
    // content's current cell is the one drawn (-1 for a list without cells).
    struct RandomLook {
        ListContent filters;
        ListContent lights;
        ListContent frames;
    };
    // Nothing while busy, in crop mode or before the first picture.
    std::optional<RandomLook> randomLook();

    // --- Undo, redo and the strength of the look ---

    enum class HistoryMove {
        Refused,  // busy, the before/after view, or nothing to undo or redo: nothing happened
        LeftCrop, // the crop tool was open: it closed as Cancel closes it, and nothing else
        Restored, // the edit, the view and the print copies are as they were at that step
        Failed,   // that step could not be made again (a working file gone, a full disk): the
                  // edit and the history are as they were; tell the user
    };
    // One step back or forward through every command that changed the edit (looks on and off,
    // random, crop commit, turn, mirrors, strength). Up to EditHistory::kMaxUndoSteps steps;
    // taking in a picture starts a new history.
    HistoryMove undo();
    HistoryMove redo();
    // Whether undo and redo would do anything now (the keys and buttons follow these).
    bool canUndo() const;
    bool canRedo() const;
    const EditHistory& history() const { return m_history; }
    void setHistoryRasterBudget(qint64 bytes) { m_history.setRasterBudget(bytes); }
    // The thumbnail of the panel's current cell in the edit as it stands; empty for none.
    QString currentCell(EffectPanel panel) const { return m_cells[panel]; }

    // How strongly the filter and light show (0..1); the view re-blends from the rasters it has
    // and the look is never computed again. A drag calls this for every position it passes and
    // endStrengthChange once at its end, which makes the whole drag one step of the history.
    // Refused (false) while busy, in crop mode, in the before/after view or before a picture.
    bool setStrength(double strength);
    void endStrengthChange();

    // Returns once no thumbnail run is going, delivering its remaining hand-overs meanwhile.
    // The window calls it before it closes.
    void waitForWorker();
    // Ends a thumbnail run at its next step and waits for it; for a window about to close, as
    // no thumbnail is handed over any more.
    void stopWorker();

    // The name of the look behind cell position of a panel's list, whose picture is picturePath,
    // as its catalogue gives it; empty when the catalogue does not know it.
    QString lookName(EffectPanel panel, int position, const QString& picturePath);

    const EditState& state() const { return m_state; }
    EditState& state() { return m_state; }
    const Catalogues& catalogues() const { return m_catalogues; }

  signals:
    // A finished filter thumbnail, in catalogue order. Emitted on the worker thread, which
    // waits until every receiver has handled it: connect with Qt::BlockingQueuedConnection.
    void thumbnailReady(const QString& thumbnailPath, int filterNumber);
    // In the editor's thread once a thumbnail run has ended and intake is possible again.
    void workerFinished(bool succeeded);
    // The picture or its look changed: the view repaints.
    void viewChanged();

  private slots:
    void recordThumbnail(const QString& thumbnailPath, int filterNumber);

  private:
    void startThumbnails();
    // The edit as it stands, as the history keeps it, and the step recorded after a command.
    EditStep describe() const;
    void recordStep();
    // Moves through the history to the step before (-1) or after (+1), once it is restored.
    HistoryMove moveThroughHistory(int direction);
    // Makes the edit that of step, re-rendering what its cached rasters no longer hold; false,
    // with the edit as it was, when some of it cannot be made again.
    bool restore(EditStep& step);
    bool rebuild(const EditStep& step);
    // The unturned picture of a crop, cut again from the preview as taken in.
    QImage cutFromIntake(const QRect& previewCrop);
    // The look blended at its strength for the view and the print copy; runs before anyone
    // repaints, and blends again only when the picture, the look or the strength changed.
    void refreshShownLook();
    // The look in force computed anew on a new working picture, dropped if that fails.
    bool lookOnNewPicture();
    bool toggleMirror(bool& flag);

    EditState m_state;
    Catalogues m_catalogues;
    ThumbnailWorker m_worker;
    CropTool m_cropTool;
    std::atomic<bool> m_closing{false};
    // Read on this thread when first asked for: the first worker is still filling the filter
    // collections while the user looks at their cells.
    std::optional<QStringList> m_filterNames;
    QString m_intakeProblem;
    QString m_lookProblem;

    EditHistory m_history;
    std::array<QString, 3> m_cells;
    // The preview as taken in: the picture every uncropped step turns.
    QImage m_intakePicture;
    // What blendedBitmap was made from.
    qint64 m_blendedView = 0;
    qint64 m_blendedLook = 0;
    double m_blendedStrength = -1.0;
};
