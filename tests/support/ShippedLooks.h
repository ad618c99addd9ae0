#pragma once

#include "CatalogTypes.h"

// The filters, lights and frames the program ships, read from the build's data folder.
Catalogues shippedCatalogues();
