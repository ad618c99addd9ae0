#include "Recipe.h"

EditRecipe recipeOf(const EditState& state) {
    EditRecipe recipe;
    recipe.sourcePath = state.sourceCopyPath;
    recipe.crop = state.cropSourceRect;
    recipe.rotationAngle = state.rotationAngle;
    recipe.flipHorizontal = state.flipHorizontal;
    recipe.flipVertical = state.flipVertical;
    recipe.filterIndex = state.filterActive == 1 ? state.filterIndex : -1;
    recipe.lightIndex = state.lightActive == 1 ? state.lightIndex : -1;
    switch (state.frameMode) {
    case 0:
        recipe.frameMode = 0;
        recipe.framePicture = state.frameOverlayPath;
        break;
    case 1:
        // A nine-slice frame's thumbnail is its template.
        recipe.frameMode = 1;
        recipe.framePicture = state.frameThumbPath;
        break;
    default:
        recipe.frameMode = -1;
        break;
    }
    recipe.strength = state.strength;
    return recipe;
}
