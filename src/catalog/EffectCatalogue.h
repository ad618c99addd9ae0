#pragma once

#include "CatalogTypes.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// Reads the filter catalogue (deploy/vuvedieffect.xml) one step at a time, so the first
// thumbnail worker can render each filter while the rest of the file is still unread.
//
//   EffectCatalogueReader reader(path);
//   for (int i = 1; i <= reader.filterCount(); ++i) {
//       const int steps = reader.beginFilter(i);
//       for (int j = 1; j <= steps; ++j) { EffectRecord step = reader.readStep(j); ... }
//       QString kind = reader.currentKind();
//   }
//
// Within a filter a step that lacks an attribute (or a whole element) repeats the value of the
// nearest earlier step that had it; nothing carries from one filter to the next. Pixel wands
// are created as steps are read, so MagickWand must have been started.
class EffectCatalogueReader {
public:
    explicit EffectCatalogueReader(const QString& path = defaultPath());
    ~EffectCatalogueReader();
    EffectCatalogueReader(const EffectCatalogueReader&) = delete;
    EffectCatalogueReader& operator=(const EffectCatalogueReader&) = delete;

    // programFolder() + "deploy/vuvedieffect.xml".
    static QString defaultPath();

    bool isLoaded() const;
    // The number of filters; 0 when the file is missing or malformed.
    int filterCount() const;
    // Starts filter i (1-based) with fresh attribute texts; returns its number of steps.
    int beginFilter(int i);
    // Step j (1-based, in order) of the filter begun last.
    EffectRecord readStep(int j);
    // The category text in force after the steps read so far.
    QString currentKind() const;
    // The filter's name as its steps give it so far (their descriptive texts, before the colon).
    QString currentName() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// Reads the whole catalogue into catalogues.filterLooks and filterThumbs, replacing what they
// held (thumbnail paths are a/<n>.jpg in the working folder). Handy where nothing is rendered
// while reading.
void ReadEffectCatalogue(Catalogues& catalogues, const QString& path = EffectCatalogueReader::defaultPath());

// The name of every filter, by number - 1 ("" for a filter whose steps give none). Read from the
// file by the caller's thread, for those that may not look at the collections a worker fills.
QStringList ReadFilterNames(const QString& path = EffectCatalogueReader::defaultPath());
