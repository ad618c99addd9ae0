#include "Panels.h"

#include "AppPaths.h"
#include "CategoryBrowse.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The cell of the look last clicked, so that a refilled list still shows it; the last match
// wins and the list scrolls to it, or stays at the top without one.
ListContent withSelection(QStringList paths, const QString& selected) {
    ListContent content;
    content.currentCell = selected.isEmpty() ? -1 : int(paths.lastIndexOf(selected));
    content.scrollTo = qMax(0, content.currentCell);
    content.paths = std::move(paths);
    return content;
}

// The file types a list cell can show, in any letter case.
bool isListPicture(const QString& path) {
    static const QStringList accepted = {"bmp", "jpeg", "jpg", "png", "gif", "tif", "tiff"};
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 && accepted.contains(name.mid(dot + 1), Qt::CaseInsensitive);
}

} // namespace

ListContent ShowFilterCategory(EditState& state, const Catalogues& catalogues, const QString& name) {
    const CategoryContent chosen = SelectFilterCategory(catalogues.filterThumbs, name);
    QStringList paths;
    state.filterListNumbers.clear();
    for (qsizetype i = 0; i < chosen.paths.size() && i < chosen.numbers.size(); ++i) {
        const int number = chosen.numbers[i];
        const bool hasSteps = number >= 1 && number <= catalogues.filterLooks.size() &&
                              !catalogues.filterLooks[number - 1].steps.isEmpty();
        if (!hasSteps)
            continue;
        paths << chosen.paths[i];
        state.filterListNumbers << number;
    }
    return withSelection(std::move(paths), state.selectedFilterThumb);
}

ListContent ShowLightCategory(EditState& state, const Catalogues& catalogues, const QString& name) {
    const CategoryContent chosen = SelectLightCategory(catalogues.lightThumbs, name);
    state.lightListNumbers = chosen.numbers;
    return withSelection(chosen.paths, state.selectedLightThumb);
}

ListContent ShowFrameCategory(const EditState& state, const QString& frameFolder, const QString& name) {
    const QDir folder(frameFolder);
    QStringList paths;
    for (const QString& pattern : FrameCategoryPatterns(name)) {
        // Matching ignores letter case, as the folder scans of the frame list always did.
        const QStringList names = folder.entryList({pattern}, QDir::Files, QDir::Name);
        for (const QString& entry : names) {
            const QString path = folder.filePath(entry);
            if (isListPicture(path))
                paths << path;
        }
    }
    return withSelection(std::move(paths), state.selectedFrameThumb);
}

QString frameFolder() {
    return AppPaths::programFolder() + QStringLiteral("border.bundle/");
}
