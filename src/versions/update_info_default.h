#pragma once
// The update-info text the runner writes as the working copy when the
// installation keeps no UpdInfo.DAT: code page 936 bytes, CR LF line ends.
// It asks for the version list of the main program, both scan engines and the
// virus database.
#include <string_view>

std::string_view DefaultUpdateInfoText();
