#pragma once
// The Liberation Sans faces (regular and bold) that the programs carry with
// them. Registered at start-up, before anything draws text, they serve the
// windows' "Liberation Sans" and the pictures' fallback for faces the machine
// lacks, so the layout and the pictures no longer depend on the system's
// fonts.

// Registers both faces with the application's font database; needs the GUI
// application object. Returns false when a face could not be registered.
bool RegisterEmbeddedFonts();
