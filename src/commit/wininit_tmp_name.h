#pragma once
// The TMP copy that Wininit.ini moves onto a locked destination at the next
// start. It lies beside the destination, named after its short path with the
// extension replaced by TMP (appended when the name has none).
#include <functional>
#include <string>

// The candidate `variant` for a short destination path: 0 gives the .TMP
// name, 1 to 99 give .T01 to .T99.
std::string TmpCandidate(const std::string& shortDestination, int variant);

// The first candidate that no line of the [rename] section of `iniText`
// moves anywhere and that `exists` does not find. So ZMT9X.EXE and
// ZMT9X.DLL, which share ZMT9X.TMP, keep their copies apart, and a
// destination that itself ends in .TMP is never its own copy. Empty when
// every candidate is taken.
std::string ChooseTmpPath(const std::string& iniText, const std::string& shortDestination,
                          const std::function<bool(const std::string&)>& exists);

// The candidate that the section already moves onto this very destination
// (an earlier run's copy, pending the restart); empty when none.
std::string PendingTmpPath(const std::string& iniText, const std::string& shortDestination);
