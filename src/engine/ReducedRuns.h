#pragma once

#include <functional>

struct _MagickWand;
typedef struct _MagickWand MagickWand;

// On a large picture some steps cost far more than their result needs: a blur grows with its
// sigma and oil paint with the square of its radius, while a wide blur holds no detail a reduced
// copy could not carry. Such a step runs on a copy reduced by (reduceX, reduceY) and is enlarged
// back to the picture's size; step receives the reduced copy and the reductions actually made
// (the sizes are whole pixels), to divide its lengths by. A reduction of 1 or less along both axes
// runs step on the picture itself.
bool runReduced(MagickWand* image, double reduceX, double reduceY,
                const std::function<bool(MagickWand* copy, double reducedX, double reducedY)>& step);

// The library's unsharp mask with its blur made on a copy reduced by `reduce` (see runReduced)
// and the sharpening itself applied at full size, so the picture keeps every pixel of its detail.
// channels is the library's channel mask; radius and sigma are in the picture's pixels.
bool unsharpWithReducedBlur(MagickWand* image, unsigned channels, double radius, double sigma, double gain,
                            double threshold, double reduce);

// The library's vignette (the picture fading into its background colour outside an ellipse inset
// by x and y, softened by radius and sigma) with its soft mask drawn on a canvas reduced by
// `reduce` and laid over the full-size picture.
bool vignetteWithReducedMask(MagickWand* image, double radius, double sigma, double x, double y,
                             double reduce);
