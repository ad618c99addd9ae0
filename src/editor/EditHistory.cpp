#include "EditHistory.h"

#include <QSet>

#include <algorithm>
#include <cstdlib>

void EditHistory::start(EditStep first) {
    m_steps = {std::move(first)};
    m_index = 0;
}

void EditHistory::clear() {
    m_steps.clear();
    m_index = -1;
}

bool EditHistory::record(EditStep step) {
    if (m_steps.isEmpty()) {
        start(std::move(step));
        return true;
    }
    if (step.sameEdit(current())) {
        current() = std::move(step);
        trimRasters();
        return false;
    }
    m_steps.resize(m_index + 1);
    m_steps.append(std::move(step));
    if (m_steps.size() > kMaxUndoSteps + 1)
        m_steps.remove(0, m_steps.size() - (kMaxUndoSteps + 1));
    m_index = int(m_steps.size()) - 1;
    trimRasters();
    return true;
}

EditStep* EditHistory::previous() {
    return canUndo() ? &m_steps[m_index - 1] : nullptr;
}

EditStep* EditHistory::next() {
    return canRedo() ? &m_steps[m_index + 1] : nullptr;
}

void EditHistory::undo() {
    if (!canUndo())
        return;
    --m_index;
    trimRasters();
}

void EditHistory::redo() {
    if (!canRedo())
        return;
    ++m_index;
    trimRasters();
}

void EditHistory::trimRasters() {
    // Steps share their rasters (a mirror keeps the look, a look keeps the picture), so each
    // raster is counted once, nearest steps first; beyond the budget the rest are let go.
    QList<int> byDistance;
    for (int i = 0; i < m_steps.size(); ++i)
        byDistance.append(i);
    std::stable_sort(byDistance.begin(), byDistance.end(),
                     [this](int a, int b) { return std::abs(a - m_index) < std::abs(b - m_index); });
    QSet<qint64> counted;
    qint64 bytes = 0;
    for (int i : byDistance) {
        EditStep& step = m_steps[i];
        for (QImage* raster : {&step.picture, &step.view, &step.look}) {
            if (raster->isNull() || counted.contains(raster->cacheKey()))
                continue;
            if (bytes + raster->sizeInBytes() > m_rasterBudget) {
                *raster = QImage();
                continue;
            }
            counted.insert(raster->cacheKey());
            bytes += raster->sizeInBytes();
        }
    }
}
