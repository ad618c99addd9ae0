#pragma once

// The codes the edit is kept in. Their values are those stored in the edit's fields and
// descriptions, so a field compared with a code reads as what it means.

// Whether a filter or a light is in force (filterActive, lightActive).
enum LookSwitch : int { LookOff = -1, LookOn = 1 };

// Which frame is in force (frameMode).
enum FrameMode : int { FrameNone = -1, FrameOverlay = 0, FrameNineSlice = 1 };
