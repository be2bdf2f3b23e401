#pragma once

namespace bitki::test {

// Runs the selected tests; a run in which no test was selected fails, so that a filter that
// matches nothing cannot pass unnoticed.
int runAllTests();

} // namespace bitki::test
