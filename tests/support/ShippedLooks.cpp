#include "ShippedLooks.h"

#include "EffectCatalogue.h"
#include "LightFrameCatalogue.h"

Catalogues shippedCatalogues() {
    Catalogues catalogues;
    ReadEffectCatalogue(catalogues);
    ReadLightCatalogue(catalogues);
    ReadFrameCatalogue(catalogues);
    return catalogues;
}
