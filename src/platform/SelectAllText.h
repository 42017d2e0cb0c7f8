#pragma once

namespace vanta::platform {

// Selects the whole text of the box that has the focus; does nothing for
// other widgets or when nothing has the focus.
void SelectAllText();

} // namespace vanta::platform
