#pragma once
// Text of the DOS-mode replacement on Windows 95/98: the groups of lines that
// ZMTMove.BAT collects, one per deferred file, and the lines that C:\Autoexec.bat
// and WinStart.bat get so that the batch runs (and is deleted with the mover)
// at the next start. Every path is a short 8.3 form; every line starts with
// "@" so that DOS does not echo it, and ends with CR LF.
#include <string>
#include <vector>

// COMMAND.COM reads at most this many characters of a batch line; the rest
// is lost, which would hand the mover a cut-off file name.
constexpr size_t kMaxDosLine = 127;

// Set by a group whose move failed, so that the start file keeps the batch
// and the mover for the next start.
constexpr char kKeepBatchVariable[] = "ZMTKEEP";

// "@if exist S M S D": run the mover on the staged file S and destination D;
// then "@if exist S set ZMTKEEP=1": the mover deletes S only once D is the
// new file, so a staged file still there is a move that failed. A group
// whose move was done is skipped when the batch runs again. Empty when a
// line would be longer than kMaxDosLine.
std::string MoverGroup(const std::string& mover, const std::string& staged, const std::string& destination);

// Without the mover: clear the destination's attributes with `attrib` (the
// DOS Attrib command), copy the staged file over it, delete the staged file.
// Empty when a line would be longer than kMaxDosLine.
std::string FallbackGroup(const std::string& attrib, const std::string& staged, const std::string& destination);

// The destinations the groups of a batch text replace, in batch order: the
// last path of each mover line and of each fallback copy line.
std::vector<std::string> BatchDestinations(const std::string& batchText);

// The four lines for the start files, led by CR LF so that they begin on a
// line of their own even after a last line without one: clear ZMTKEEP, call
// the batch, and unless a move failed delete the batch and the mover. Empty
// when a line would be too long.
std::string StartFileText(const std::string& batch, const std::string& mover);

// What to append to a start file that holds `fileText`: the start text, or
// nothing when the file holds it already (from an earlier run).
std::string StartTextToAppend(const std::string& fileText, const std::string& startText);
