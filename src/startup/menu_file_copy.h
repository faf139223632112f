// Reading the menu file's configuration, and reading it again through a copy when the
// profile reader was kept from the file (hardened PCs map every autorun.inf away).
#pragma once

// Reads the whole configuration from launcherState.menuFilePath over what launcherState
// holds: the section "View", the language section, the five entries.
void readMenuConfiguration();

// When the configuration read gives the menu nothing although the file's bytes hold a
// section heading, reads it all again from a copy of the file under another name in the
// temporary folder, and deletes the copy at once. launcherState.menuFilePath names the
// menu file again afterwards. Costs nothing but one test when the configuration gave
// anything; does nothing when the file cannot be read or the copy cannot be written.
void readMenuFileThroughCopy();
