#pragma once
// The file-system seam on the running Windows.
#include "platform/file_system.h"

// The process's one instance over the Win32 file functions.
FileSystem& SystemFileSystem();
