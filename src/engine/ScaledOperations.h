#pragma once

struct _MagickWand;
typedef struct _MagickWand MagickWand;

// The few operations whose strength on a larger picture depends on more than their lengths. Each
// takes the step's numbers as the catalogue gives them (as chosen on the preview) and the
// picture's lengthScale (greater than 1: the picture is larger than the preview), and makes the picture read
// as the preview does once it is scaled down.

// Edge detection with a window of the preview's radius (0: the library's automatic window),
// covering as much of the larger picture as it covers of the preview, and as strong: each pixel
// is measured as the patch it shares a preview pixel with, not by its own finer grain.
bool edgeAtScale(MagickWand* image, double radius, double lengthScale);

// The library's charcoal drawing with its edge scaled as edgeAtScale does.
bool charcoalAtScale(MagickWand* image, double radius, double sigma, double lengthScale);

// Shading by a light from azimuth and elevation (degrees); gray keeps only the shading.
bool shadeAtScale(MagickWand* image, bool gray, double azimuth, double elevation, double lengthScale);
