#pragma once
// Update.inf, the hand-off from the runner to the self-update program
// (UpdateSelf.DAT). One section, UpdateSelf:
//   SrcFile0=<new file>      DesFile0=<file it replaces>
//   SrcFile1=...             DesFile1=...          (numbered without gaps)
//   Parameter=/CONTINUE      (with one trailing blank)
//   FullPathName=<program folder>Update.EXE
// The self-update program copies each SrcFile%d onto its DesFile%d, then
// starts FullPathName with Parameter.
#include <string>
#include <utility>
#include <vector>

#include "commit/file_pair.h"

constexpr char kSelfUpdateSection[] = "UpdateSelf";
constexpr char kSelfUpdateSourceKey[] = "SrcFile";
constexpr char kSelfUpdateDestinationKey[] = "DesFile";
constexpr char kSelfUpdateParameterKey[] = "Parameter";
constexpr char kSelfUpdateProgramKey[] = "FullPathName";

// Key and value of every entry of the section, in the order they are written:
// the pairs, then Parameter, then FullPathName (programDir + "Update.EXE").
std::vector<std::pair<std::string, std::string>> SelfUpdateEntries(const std::vector<FilePair>& files,
                                                                   const std::string& programDir);
