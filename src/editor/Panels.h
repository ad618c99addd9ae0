#pragma once

#include "CatalogTypes.h"
#include "EditState.h"

#include <QString>
#include <QStringList>

// What a panel's list must show after a category choice: the pictures in order, the cell to
// mark as chosen (the look in force, -1 for none) and the cell to scroll to. The list shows
// exactly these cells, none when the category is empty.
struct ListContent {
    QStringList paths;
    int currentCell = -1;
    int scrollTo = 0;

    friend bool operator==(const ListContent&, const ListContent&) = default;
};

// Refills the filter list and filterListNumbers for a category. A filter without steps has no
// thumbnail and so no cell.
ListContent ShowFilterCategory(EditState& state, const Catalogues& catalogues, const QString& name);

// Refills the light list and lightListNumbers for a category.
ListContent ShowLightCategory(EditState& state, const Catalogues& catalogues, const QString& name);

// The frame pictures of a category, scanned from frameFolder: artistic thumbnails
// ("*_thumb.*") before regular frames ("border*.png") for "All". An unknown name gives none.
ListContent ShowFrameCategory(const EditState& state, const QString& frameFolder, const QString& name);

// border.bundle/ in the program's resource folder.
QString frameFolder();
