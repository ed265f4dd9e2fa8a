// The runner's texts reach it as code page 936 bytes through LoadStringA.
#include <gtest/gtest.h>

#include "resources/message_ids.h"
#include "resources/support_address.h"
#include "win_test_support.h"

namespace {

std::string RunnerText(unsigned id) {
  static HMODULE runner =
      LoadLibraryExA((testsupport::ProgramFolder() + "SkalUpd.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  char buffer[2048] = {};
  int length = LoadStringA(runner, id, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? length : 0);
}

TEST(StringTable, ChineseTextsArriveAsGbkBytes) {
  ASSERT_EQ(GetACP(), 936u);
  EXPECT_EQ(RunnerText(kMsgTitleError), "\xB4\xED\xCE\xF3!");                       // 错误!
  EXPECT_EQ(RunnerText(kMsgTitleConfirm), "\xC8\xB7\xC8\xCF");                     // 确认
  EXPECT_EQ(RunnerText(kMsgUpdated), "\xB8\xFC\xD0\xC2 %s \xB5\xBD %s \xB3\xC9\xB9\xA6");  // 更新 %s 到 %s 成功
  EXPECT_EQ(RunnerText(kMsgSelfUpdateWriteFailed), "a");
}

TEST(StringTable, EscapesBecomeLineBreaksAndTheAddressIsFilledIn) {
  std::string archive = RunnerText(kMsgArchiveDamaged);
  EXPECT_NE(archive.find(", \r\n"), std::string::npos);
  EXPECT_NE(archive.find(SKAL_SUPPORT_ADDRESS), std::string::npos);
  std::string updateAgain = RunnerText(kMsgUpdateAgain);
  EXPECT_EQ(updateAgain.substr(updateAgain.size() - sizeof(SKAL_SUPPORT_ADDRESS) + 1), SKAL_SUPPORT_ADDRESS);
  EXPECT_EQ(RunnerText(kMsgFirewallName), "NorvanceGardo  %d");
}

TEST(StringTable, EveryMessageIdHasAText) {
  for (unsigned id : {1u, 2u, 3u, 4u, 5u, 6u, 8u, 9u, 10u, 11u, 12u, 13u, 14u, 15u, 16u, 17u, 19u, 20u, 21u, 25u, 27u,
                      28u, 29u, 30u, 31u, 32u, 34u, 35u, 37u, 40u, 44u, 45u, 47u, 48u, 49u, 50u, 51u, 52u, 53u, 54u,
                      55u, 56u, 57u, 58u, 59u, 60u, 61u, 62u})
    EXPECT_FALSE(RunnerText(id).empty()) << id;
}

TEST(RunnerIcon, GroupIcon128IsPresent) {
  HMODULE runner =
      LoadLibraryExA((testsupport::ProgramFolder() + "SkalUpd.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(runner, nullptr);
  EXPECT_NE(FindResourceA(runner, MAKEINTRESOURCEA(kAppIconId), MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */), nullptr);
}

}  // namespace
