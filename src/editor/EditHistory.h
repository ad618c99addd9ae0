#pragma once

#include "EditRecipe.h"
#include "Rect.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>

// One state of the edit as the history keeps it: the plain description the full-size render
// takes, and what the window needs beside it to show that state again (the crop in preview
// pixels, where the picture sits, the current cell of each list). The rasters are only a cache
// of what the description renders to: a step back to a look just seen shows it at once, and
// they are dropped when the history holds too many.
struct EditStep {
    EditRecipe recipe;
    // The committed crop in pixels of the preview as taken in; null when uncropped.
    QRect previewCrop;
    QString fullSizePath;
    // Full-size pixels of the (cropped) picture, unturned: nine-slice pieces are cut for it.
    QSize sourceSize;
    // The frame's thumbnail, which chooses the frame again.
    QString frameThumb;
    // The thumbnail of each panel's current cell (filter, light, frame); empty for none.
    std::array<QString, 3> cells;
    Rect fitRect;
    Rect compareLeftRect;
    Rect compareRightRect;

    // Cached: the unturned working picture, the picture as the view draws it without a look,
    // and the look (null without a filter or light).
    QImage picture;
    QImage view;
    QImage look;

    // The same edit, whatever the lists show or the cache holds.
    bool sameEdit(const EditStep& other) const {
        return recipe == other.recipe && previewCrop == other.previewCrop && frameThumb == other.frameThumb;
    }
};

// The steps of one picture's edit, oldest first, and where the edit stands among them.
class EditHistory {
  public:
    // Steps that can be undone at most; older ones are forgotten.
    static constexpr int kMaxUndoSteps = 100;
    // Bytes of cached rasters the history keeps; those of the steps farthest from the current
    // one go first.
    static constexpr qint64 kRasterBudget = qint64(192) << 20;

    // How many bytes of rasters the history may keep (kRasterBudget unless set); 0 keeps none, so
    // every step back renders its edit again.
    void setRasterBudget(qint64 bytes) {
        m_rasterBudget = bytes;
        trimRasters();
    }

    // A new history whose only step is the edit as it is now (a picture just taken in).
    void start(EditStep first);
    void clear();
    // After a command: the step becomes the current one and what could be redone is gone. A step
    // that changes nothing of the edit only replaces the current one's cells and rasters, and
    // returns false.
    bool record(EditStep step);

    bool canUndo() const { return m_index > 0; }
    bool canRedo() const { return m_index >= 0 && m_index + 1 < m_steps.size(); }
    int undoCount() const { return qMax(0, m_index); }
    int redoCount() const { return canRedo() ? int(m_steps.size()) - 1 - m_index : 0; }
    bool isEmpty() const { return m_steps.isEmpty(); }

    // The step one back or forward, to be made again before the history moves there; nullptr
    // when there is none.
    EditStep* previous();
    EditStep* next();
    // Moves one step back or forward, once that step is the edit again.
    void undo();
    void redo();
    // The step the edit stands at. Only while the history is not empty.
    EditStep& current() { return m_steps[m_index]; }
    const EditStep& current() const { return m_steps[m_index]; }

  private:
    void trimRasters();

    QList<EditStep> m_steps;
    int m_index = -1;
    qint64 m_rasterBudget = kRasterBudget;
};
