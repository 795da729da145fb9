#pragma once
// The installer's theme: twelve style values put over the toolkit's
// defaults (light grey Verdana text, a bold 15-unit title, top-aligned
// intro and path texts, a 10-unit path, bold headlines).

namespace installer {

// Replaces the toolkit's theme overrides, as a whole, with the installer's
// twelve entries. Runs before any widget of the wizard is painted.
void apply_installer_theme();

}  // namespace installer
