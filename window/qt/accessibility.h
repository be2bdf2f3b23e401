#pragma once

namespace bitki {

// Shows assistive technology the quiz window with only the controls a user can see: the hidden
// controls that hold the answer key stay out of its tree. Call once, with the application.
void installAccessibility();

} // namespace bitki
