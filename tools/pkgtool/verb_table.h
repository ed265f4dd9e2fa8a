#pragma once
// pkgtool's verbs: how each is called, what it does, and its help text.
#include <cstddef>
#include <ostream>
#include <span>

#include "verbs.h"

struct Verb {
  const char* name;
  const char* arguments;
  size_t minArgs;
  size_t maxArgs;  // 0: no upper bound
  const char* summary;
  const char* details;  // arguments, exit codes and an example, for VERB --help
  int (*run)(const VerbArgs&, std::ostream&, std::ostream&);
};

std::span<const Verb> AllVerbs();

// "usage: pkgtool VERB ARGUMENTS" and the verb's details.
void PrintVerbHelp(const Verb& verb, std::ostream& to);
