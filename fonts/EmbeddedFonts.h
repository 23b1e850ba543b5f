#pragma once
// The Liberation Sans faces (regular and bold) that the programs carry with
// them. Registered at start-up, before anything draws text, they serve the
// windows' "Liberation Sans" and the pictures' fallback for faces the machine
// lacks, so the layout and the pictures no longer depend on the system's
// fonts.

// Starts reading the system's font configuration on a thread of its own.
// Reading it (some dozens of configuration files) is most of the cost of the
// first font registration; started before the application object is
// created, it overlaps with the connection to the display. Optional: without
// it, the registration reads the configuration itself.
void StartReadingFontConfiguration();

// Registers both faces with the application's font database; needs the GUI
// application object. Waits for a reading started above to finish. Returns
// false when a face could not be registered.
bool RegisterEmbeddedFonts();
