#include "verb_table.h"

namespace {

constexpr Verb kVerbs[] = {
    {"pack", "IN OUT", 2, 2, "pack the file IN into the packed file OUT",
     "  IN    any non-empty file, such as a catalogue text index.txt\n"
     "  OUT   the packed file the runner reads, such as index.dat\n"
     "\n"
     "exit codes: 0 packed; 1 IN is empty or unreadable, or OUT cannot be written; 2 wrong arguments\n"
     "\n"
     "example: pkgtool pack index.txt index.dat\n",
     RunPack},
    {"unpack", "IN OUT", 2, 2, "unpack the packed file IN into OUT",
     "  IN    a packed file (index.dat, UpdInfo.DAT)\n"
     "  OUT   the unpacked text\n"
     "\n"
     "exit codes: 0 unpacked; 1 IN is damaged or unreadable, or OUT cannot be written; 2 wrong arguments\n"
     "\n"
     "example: pkgtool unpack index.dat index.txt\n",
     RunUnpack},
    {"crc32", "FILE...", 1, 0, "print the CRC-32 of each FILE",
     "  FILE  each file whose CRC-32 is printed, as unsigned decimal and path per line\n"
     "\n"
     "exit codes: 0 every file read; 1 a file could not be read (the others are still printed); 2 wrong arguments\n"
     "\n"
     "example: pkgtool crc32 ZMT32.EXE\n",
     RunCrc32},
    {"extract", "ARCHIVE DEST", 2, 2, "extract every entry of the package archive ARCHIVE into DEST",
     "  ARCHIVE  a package archive (ZMTUPD.DAT)\n"
     "  DEST     the folder that receives its files, created when missing\n"
     "\n"
     "exit codes: 0 extracted; 1 the archive is damaged or names a file outside DEST; 2 wrong arguments\n"
     "\n"
     "example: pkgtool extract package/ZMTUPD/ZMTUPD.DAT unpacked\n",
     RunExtract},
    {"build", "[--seed N] SRC OUT", 2, 4, "build a package in OUT from SRC (catalog.ini and files/)",
     "  SRC       a package source: catalog.ini (code page 936) and files/\n"
     "  OUT       the package folder to write: index.dat, <PathName>/ZMTUPD.DAT and\n"
     "            the other files of files/; it must be empty or missing\n"
     "  --seed N  make the output the same byte for byte on every build\n"
     "\n"
     "exit codes: 0 built; 1 the source was refused (one line per reason, naming\n"
     "the item or file; nothing is written) or OUT cannot be written; 2 wrong arguments\n"
     "\n"
     "example: pkgtool build examples/skal2003 out/skal2003\n",
     RunBuild},
    {"inspect", "DIR", 1, 1, "list the package in DIR and verify its files",
     "  DIR   a built package folder (index.dat and the archive)\n"
     "\n"
     "exit codes: 0 every item's file matches its size and CRC-32; 1 a FAULT: line\n"
     "names each damaged or missing file, or the package cannot be read; 2 wrong arguments\n"
     "\n"
     "example: pkgtool inspect out/skal2003\n",
     RunInspect},
    {"harvest", "[--rules FILE] [--force] OLD NEW SRC", 3, 6,
     "write a package source SRC of the files that NEW adds to OLD or changes",
     "  OLD           a copy of the product's program folder as installed\n"
     "  NEW           the new build's program folder\n"
     "  SRC           the package source to write (catalog.ini and files/); it must be\n"
     "                empty or missing\n"
     "  --rules FILE  the catalogue's [COMMENT], [FileType], [ExitType] and [Install]\n"
     "                sections, and per file pattern its FileType, CallBy and Reboot\n"
     "                ([Harvest] Pattern<n>, FileType<n>, CallBy<n>, Reboot<n>)\n"
     "  --force       replace SRC's catalog.ini and files/\n"
     "\n"
     "exit codes: 0 written (warnings name installed files the package leaves as they\n"
     "are); 1 nothing differs, a folder cannot be read, or build would refuse the\n"
     "source (the reasons are printed); 2 wrong arguments\n"
     "\n"
     "example: pkgtool harvest installed/Skal build/Skal src\n",
     RunHarvest},
};

}  // namespace

std::span<const Verb> AllVerbs() { return kVerbs; }

void PrintVerbHelp(const Verb& verb, std::ostream& to) {
  to << "usage: pkgtool " << verb.name << " " << verb.arguments << "\n\n"
     << char(verb.summary[0] - 'a' + 'A') << (verb.summary + 1) << ".\n\narguments:\n"
     << verb.details;
}
