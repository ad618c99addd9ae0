#include "Recipe.h"

EditRecipe recipeOf(const EditState& state) {
    EditRecipe recipe;
    recipe.sourcePath = state.sourceCopyPath;
    recipe.crop = state.cropSourceRect;
    recipe.rotationAngle = state.rotationAngle;
    recipe.flipHorizontal = state.flipHorizontal;
    recipe.flipVertical = state.flipVertical;
    recipe.filterIndex = state.filterActive == LookOn ? state.filterIndex : -1;
    recipe.lightIndex = state.lightActive == LookOn ? state.lightIndex : -1;
    switch (state.frameMode) {
    case FrameOverlay:
        recipe.frameMode = FrameOverlay;
        recipe.framePicture = state.frameOverlayPath;
        break;
    case FrameNineSlice:
        // A nine-slice frame's thumbnail is its template.
        recipe.frameMode = FrameNineSlice;
        recipe.framePicture = state.frameThumbPath;
        break;
    default:
        recipe.frameMode = FrameNone;
        break;
    }
    recipe.strength = state.strength;
    return recipe;
}
