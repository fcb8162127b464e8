// The program as a whole: it knows every window, which the modules below it do not.
#pragma once

// Main() itself is declared with the start-up, in OstraneM.h.

// Puts the program back as at process start: every window unloaded without a
// question and its object deleted, the module variables emptied, the program's
// folder, the screen size and the End flag back to the real ones. Hooks that a
// test installed stay: they are the test's own.
void ReinitProgramme();
