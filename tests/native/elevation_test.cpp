#include "app/elevation.h"

#include <gtest/gtest.h>

#include "commit/os_family.h"

namespace {

struct Case {
  const char* what;
  int32_t family;
  uint32_t ntMajor;
  bool elevated, canElevate, silent;
  ElevationStep expected;
};

TEST(Elevation, OnlyAFilteredTokenOnVistaOrLaterAsksOrRefuses) {
  using enum ElevationStep;
  const Case cases[] = {
      {"Windows 98 has no rights to ask for", kOsFamily9x, 0, false, false, false, kProceed},
      {"Windows Me, unattended", kOsFamilyMe, 0, false, false, true, kProceed},
      {"NT 4.0, a limited user goes on as before", kOsFamilyNt, 4, false, false, true, kProceed},
      {"XP, unattended", kOsFamilyNt, 5, false, false, true, kProceed},
      {"Vista elevated", kOsFamilyNt, 6, true, false, false, kProceed},
      {"Windows 10 elevated, unattended", kOsFamilyNt, 10, true, false, true, kProceed},
      {"Vista, an administrator's filtered token asks", kOsFamilyNt, 6, false, true, false, kRelaunchElevated},
      {"Windows 10, a standard user cannot elevate", kOsFamilyNt, 10, false, false, false, kRefuse},
      {"Windows 10 unattended never prompts", kOsFamilyNt, 10, false, true, true, kRefuse},
  };
  for (const Case& c : cases) {
    ElevationState state{c.family, c.ntMajor, c.elevated, c.canElevate, c.silent};
    EXPECT_EQ(DecideElevation(state), c.expected) << c.what;
  }
}

}  // namespace
