#pragma once
// The programs carried inside the runner's executable as resources.
#include <string>

enum class CarriedProgram {
  kSelfUpdate,   // UpdateSelf.DAT: completes a self-update hand-off
  kMover,        // ZMTMove.EXE: the DOS-mode mover of the restart batch
  kCopyProgram,  // CopyFile.EXE: replaces files at the next start of Windows Me
};

// The program's bytes; empty when the resource is missing.
std::string EmbeddedProgramBytes(CarriedProgram program);

// Writes the program to `path`, replacing any file there that is not
// read-only. 1 only when the file was created and every byte written,
// else 0; a file that could not be written whole is deleted again.
int WriteEmbeddedProgram(CarriedProgram program, const std::string& path);
