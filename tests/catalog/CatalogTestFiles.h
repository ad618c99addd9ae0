#pragma once

#include <QString>

// Writes text to name in this test program's working folder and returns the full path.
QString writeCatalogueFile(const QString& name, const QString& text);
