#pragma once

namespace quenbury::ui {

// Wraps the application's style so that the menu bar's overflow button gets its icon when the icon
// is first drawn, not while the window is built. Call once, after the QApplication is made and
// before the window is.
void installStyle();

} // namespace quenbury::ui
