#pragma once

#include "CatalogTypes.h"

#include <atomic>

// The light cells drawn on the user's own picture: every light laid over the reduced source a
// thumbnail run made ("wl.jpg"), each written to WorkFiles::lightThumbnailPath(n). False when
// the source cannot be read, a light cannot be laid (each failure is reported on standard error
// and the other lights are still drawn) or stopRequested was raised, which is looked at between
// two lights. A light whose picture is missing gets no file.
bool renderLightThumbnails(const LightRecords& lights, const std::atomic<bool>& stopRequested);
