#pragma once

struct EditState;
struct PrintShared;

// The print dialog's copy of the edit, made from the editor's state in one place. The editor
// publishes it after every command that changes what the view shows, so nothing else keeps the
// block in step and printing never reads the editor's state.
void publishPrintState(const EditState& state, PrintShared& print);
