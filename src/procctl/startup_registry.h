#pragma once
// At every start: removes the product's autorun values "ZMTPFWRun" (both
// roots) and "ZMTRun" (current user), and sets "MSN" to 0 in its existing
// "SvcUI" keys. Returns 1; failures are silent.
int FixStartupRegistry();
