#pragma once
// A test process that crashes says in which test and where: the test's name and the stack
// of the crashing thread go to standard error before the process dies of its signal, so a
// crash seen once on a loaded machine leaves something to read.

namespace lwtest {

// Installs the report for the process and again before each test (the page engine, started
// by the first test that needs it, may put handlers of its own in place).
void reportCrashes();

} // namespace lwtest
