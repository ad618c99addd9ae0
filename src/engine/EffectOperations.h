#pragma once

#include "CatalogTypes.h"

#include <QList>

struct _MagickWand;
typedef struct _MagickWand MagickWand;

// The catalogue's operation numbers and the MagickWand call each one stands for.

// Runs the operation numbered record.neffectfunction on image, in place, with the arguments
// derived from the record's fields, and returns the library's status. secondImage is the
// picture operations 35, 36 and 95 combine with; they fail when it is empty.
//
// A number without an operation leaves the picture alone; the number itself is the status, so
// only 0 fails. An enumeration argument (nenum) outside its range skips the step: the picture is
// left alone and the step succeeds, since no library call was attempted.
//
// lengthScale multiplies the numbers the operation takes as lengths in pixels (radii, sigmas,
// offsets, sizes), so a look made on the preview reads the same on a picture lengthScale times
// its size; 1 runs the step as the catalogue wrote it.
//
// With lengths grown that far, wide blurs and oil paint would cost many times what their result
// needs; Bounded runs them on a reduced copy of such a picture and enlarges the result, which
// reads the same. Exact runs every step at the picture's full size, whatever it costs.
enum class LengthCost { Bounded, Exact };
bool runEffectOperation(MagickWand* image, MagickWand* secondImage, const EffectRecord& record,
                        double lengthScale = 1.0, LengthCost cost = LengthCost::Bounded);

// Looks that use the image library's random generator (noise, spread, sketch, random thresholds)
// give the same pixels every time for the same picture and look: on screen, in the thumbnails
// and at full size, whichever thread runs them. The library gives every operation a generator of
// its own, started from one process-wide key; once the key is set that generator repeats, and the
// library then runs the operation's random part on a single thread so the sequence does not
// depend on how rows are shared out. Every look sets the key before its first step.
inline constexpr unsigned long kLookRandomKey = 0x4c4b5247;
void seedLookRandomness();

// The numbers that have an operation, ascending.
QList<int> effectOperationNumbers();

// The name of the MagickWand routine behind number ("MagickBlurImage"); nullptr when the
// number has no operation.
const char* effectOperationName(int number);
