// The runner's texts reach it as code page 936 bytes through LoadStringA (the
// resource compiler read the texts in that code page), and its icon is there.
#include <gtest/gtest.h>

#include "resources/message_ids.h"
#include "win_test_support.h"

using namespace testsupport;

TEST(RunnerResources, TextsArriveAsCodePage936BytesAndTheIconIsPresent) {
  ASSERT_EQ(GetACP(), 936u);
  EXPECT_EQ(RunnerText(25), Gbk("错误!"));
  EXPECT_EQ(RunnerText(31), Gbk("文件更新成功！"));
  HMODULE runner = LoadLibraryExA((ProgramFolder() + "SkalUpd.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(runner, nullptr);
  EXPECT_NE(FindResourceA(runner, MAKEINTRESOURCEA(kAppIconId), MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */), nullptr);
}
