#pragma once
// Package archives built in memory from named members, for the tests of the
// archive reader and of pkgtool extract.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archive_writer.h"

inline ArchiveMember Member(std::string name, std::string folder, const std::string& data,
                            uint32_t key = 0xA1B2C3D4,
                            ArchiveTimes times = {0x01D0000000000001ull, 0x01D0000000000002ull, 0x01D0000000000003ull}) {
  return ArchiveMember{std::move(name), std::move(folder), {data.begin(), data.end()}, key, times};
}

inline std::vector<unsigned char> BuildOrFail(const std::vector<ArchiveMember>& members) {
  std::vector<unsigned char> archive;
  std::string error;
  EXPECT_TRUE(BuildArchive(members, archive, error)) << error;
  return archive;
}
