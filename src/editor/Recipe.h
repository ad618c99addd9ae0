#pragma once

#include "EditRecipe.h"
#include "EditState.h"

// The edit the window shows, as a plain description that export, printing and the undo
// history keep: the full-size copy of the user's file, the committed crop, the turn and
// mirrors, the filter and light in force with their strength, and the frame's picture (the
// overlay, or the template of a nine-slice frame).
EditRecipe recipeOf(const EditState& state);
