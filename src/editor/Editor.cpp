#include "Editor.h"

#include "CategoryBrowse.h"
#include "EffectCatalogue.h"
#include "LightFrameCatalogue.h"
#include "PictureTypes.h"

Editor::Editor(QObject* parent) : QObject(parent), m_worker(m_catalogues, m_state.workerBusy) {
    // Made first, so the position map grows before the window's list shows the new cell.
    connect(this, &Editor::thumbnailReady, this, &Editor::recordThumbnail, Qt::BlockingQueuedConnection);
    connect(&m_worker, &ThumbnailWorker::ended, this, &Editor::workerFinished);
    // First of all receivers: whoever repaints finds the look blended at its strength.
    connect(this, &Editor::viewChanged, this, &Editor::refreshShownLook);
    // Light and frame categories can be browsed before the first picture; every intake reads
    // the catalogue again.
    ReadLightCatalogue(m_catalogues);
    ReadFrameCatalogue(m_catalogues);
}

Editor::~Editor() {
    stopWorker();
}

void Editor::stopWorker() {
    // Nobody shows thumbnails any more: the run stops at its next step instead of finishing.
    m_closing = true;
    m_worker.requestStop();
    m_worker.wait();
}

Editor::IntakeOutcome Editor::takeIn(const QString& path, IntakeSource source) {
    if (m_state.busy())
        return IntakeOutcome::Refused;
    if (source == IntakeSource::Drop && !PictureTypes::isPictureName(path))
        return IntakeOutcome::NotAPicture;
    // Decoded before anything is touched: a file that is no picture leaves the edit as it was.
    const std::optional<DecodedPreview> decoded = PreviewDecoder::decode(path);
    if (!decoded)
        return IntakeOutcome::NotAPicture;

    // Every file of the new picture is in place before the edit changes at all: a write that
    // fails leaves the picture, its files and its thumbnails as they were.
    const std::optional<Intake::WorkingFiles> files =
        Intake::writeWorkingFiles(path, *decoded, m_state.copyCounter + 1, &m_intakeProblem);
    if (!files)
        return IntakeOutcome::NotWritten;

    m_state.fullSizePath = path;
    ++m_state.copyCounter;
    m_state.sourceCopyPath = files->copyPath;
    m_state.sourceWidth = decoded->sourceSize.width();
    m_state.sourceHeight = decoded->sourceSize.height();
    Intake::setWorkingPaths(m_state, files->previewPath);

    const bool newPicture = path != m_state.lastSourcePath;
    m_state.lastSourcePath = path;

    Intake::resetGeometry(m_state, decoded->preview.size(), decoded->sourceSize);
    Intake::resetOrientation(m_state);
    Intake::resetLook(m_state);
    Intake::resetTools(m_state);
    Intake::loadRasters(m_state, decoded->preview);
    m_intakePicture = decoded->preview;
    ReadLightCatalogue(m_catalogues);
    ReadFrameCatalogue(m_catalogues);

    if (newPicture) {
        m_state.filterListNumbers.clear();
        m_state.renderTarget = RenderToThumbnail;
        startThumbnails();
    }
    m_cells = {};
    m_history.start(describe());
    emit viewChanged();
    return newPicture ? IntakeOutcome::NewPicture : IntakeOutcome::SameFile;
}

void Editor::startThumbnails() {
    ThumbnailRequest request;
    request.picturePath = m_state.currentImagePath;
    request.previewWidth = m_state.previewWidth;
    request.previewHeight = m_state.previewHeight;
    request.cataloguePath = EffectCatalogueReader::defaultPath();
    // Intake is refused while anything runs, so the run always starts.
    const bool started = m_worker.start(request, m_state.catalogueUnread,
                                        [this](const QString& thumbnailPath, int filterNumber) {
                                            // While the editor closes nobody shows the thumbnails any more;
                                            // the run is stopping.
                                            if (!m_closing)
                                                emit thumbnailReady(thumbnailPath, filterNumber);
                                        });
    if (started)
        m_state.catalogueUnread = false;
}

void Editor::recordThumbnail(const QString&, int filterNumber) {
    // The worker refills the list with every filter in catalogue order, whatever category was
    // shown before; the map follows it cell by cell.
    m_state.filterListNumbers.append(filterNumber);
}

void Editor::showPanel(EffectPanel panel) {
    m_state.activePanel = panel;
}

std::optional<ListContent> Editor::chooseFilterCategory(int position) {
    // The worker appends to the filter catalogue and the list while it renders.
    if (m_state.workerBusy || position < 0 || position >= kFilterCategoryNames.size())
        return std::nullopt;
    m_state.categoryChanged = true;
    return ShowFilterCategory(m_state, m_catalogues, kFilterCategoryNames[position]);
}

std::optional<ListContent> Editor::chooseLightCategory(int position) {
    if (position < 0 || position >= kLightCategoryNames.size())
        return std::nullopt;
    m_state.categoryChanged = true;
    return ShowLightCategory(m_state, m_catalogues, kLightCategoryNames[position]);
}

std::optional<ListContent> Editor::chooseFrameCategory(int position) {
    if (position < 0 || position >= kFrameCategoryNames.size())
        return std::nullopt;
    return ShowFrameCategory(m_state, frameFolder(), kFrameCategoryNames[position]);
}

bool Editor::thumbClicked(const ThumbClick& click) {
    // Before the first picture there is nothing to put a look on.
    if (m_state.busy() || !m_state.imageLoaded)
        return false;
    const bool applied = onThumbClicked(m_state, m_catalogues, click);
    if (!applied) {
        // The look before the click stays, and so does the cell that marks it.
        m_lookProblem = QStringLiteral("Sorry, this look could not be applied.");
        emit viewChanged();
        return false;
    }
    if (click.panel >= FilterPanel && click.panel <= FramePanel)
        m_cells[click.panel] = click.position >= 0 ? click.path : QString();
    recordStep();
    emit viewChanged();
    return true;
}

void Editor::waitForWorker() {
    // The worker keeps delivering its hand-overs to this thread while it is waited for.
    m_worker.wait();
}

QString Editor::lookName(EffectPanel panel, int position, const QString& picturePath) {
    switch (panel) {
    case FilterPanel: {
        if (!m_filterNames)
            m_filterNames = ReadFilterNames();
        return m_filterNames->value(CatalogueIndexForPosition(position, m_state.filterListNumbers));
    }
    case LightPanel: {
        const int k = CatalogueIndexForPosition(position, m_state.lightListNumbers);
        return k >= 0 && k < m_catalogues.lightRecords.size() ? m_catalogues.lightRecords[k].name : QString();
    }
    case FramePanel: {
        const FrameRecord* frame = FrameForThumbnail(m_catalogues.frameRecords, picturePath);
        return frame ? frame->name : QString();
    }
    }
    return {};
}
