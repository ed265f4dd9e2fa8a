// The runner's texts reach it as code page 936 bytes through LoadStringA.
#include <gtest/gtest.h>

#include "resources/message_ids.h"
#include "resources/support_address.h"
#include "win_test_support.h"

using namespace testsupport;

namespace {

// Every text of the string table, byte for byte: a typo in a text fails here.
TEST(StringTable, EveryTextArrivesAsItsCodePage936Bytes) {
  ASSERT_EQ(GetACP(), 936u);
  ASSERT_EQ(Gbk("错误!"), "\xB4\xED\xCE\xF3!");
  const struct {
    unsigned id;
    const char* text;
  } texts[] = {
      {1, "文本文件(*.txt)|*.txt|所有文件(*.*)|*.*||"},
      {2, "程序文件"},
      {3, "引擎文件"},
      {4, "病毒库文件"},
      {5, "文件 %s 不存在或被破坏！"},
      {6, "升级包中的信息文件（index.dat）被破坏了，请和NorvanceSkal联系。"},
      {8, "升级程序优先更新自身成功！"},
      {9, "a"},
      {10, "更新 %s 到 %s 失败!请重新升级!"},
      {11, "更新 %s 到 %s 成功，需要重新启动"},
      {12, "更新 %s 到 %s 成功"},
      {13, "更新 %s 到 %s 失败：拷贝临时文件失败"},
      {14, "更新 %s 到 %s 失败：处理冲突文件失败"},
      {15, "更新 %s 到 %s 成功：文件冲突，需要重新启动"},
      {16, "更新 %s 到 %s 成功：文件冲突，需要重新启动后才能完成更新"},
      {17, "找不到Skal%s的安装目录，请运行Skal主程序%s后再运行升级包升级！"},
      {19, "Skal提示信息"},
      {20, "iSKAL.DAT文件不存在，请重新安装NorvanceSkal！"},
      {21, "确认"},
      {25, "错误!"},
      {27, "解密升级包文件出错, \r\n请Email通知Skal组（" SKAL_SUPPORT_ADDRESS "）!"},
      {28, "您机器上的Skal已经是最新版本！"},
      {29, "升级包中的一些文件已经丢失或被破坏，\r\n请Email通知Skal组（" SKAL_SUPPORT_ADDRESS "）!"},
      {30, "更新文件失败！"},
      {31, "文件更新成功！"},
      {32, "为了保证Skal能正常运行，请重新升级成功后再运行Skal。\r\n请把升级日志拷贝发送给我们！" SKAL_SUPPORT_ADDRESS},
      {34, "正在更新文件......"},
      {35, "升级结束，更新文件过程中有些文件更新冲突，\r\n需要重新启动电脑，请保存您所需要保存的文件,然后手工重新启动您的电脑！"},
      {37, "您下载的升级包版本不对,请下载和您所安装的Skal版本对应的升级包!"},
      {40, "注册表中没有本升级包所对应的版本的信息，\r\n请确认下载和您所安装的版本对应的升级包！"},
      {44, "Skal升级程序检测到本地未安装Skal，或者您的Skal系统信息已被破坏.\r\n\r\n您可以尝试运行您的Skal主程序或Gardo主程序后，再运行本程序."},
      {45, "您安装的NorvanceSkal系统信息被破坏，请重新安装NorvanceSkal后再运行升级包!"},
      {47, "NorvanceGardo  %d"},
      {48, "升级未完成! 确定要退出?"},
      {49, "请指定Skal.NET版本的安装路径！"},
      {50, "您输入的路径有误，请确认您安装了NorvanceSkal及其安装路径后再运行升级包！"},
      {51, "选择Skal.NET版本的安装目录."},
      {52, "NorvanceSkal.NET"},
      {53, "NorvanceSkal2001"},
      {54, "NorvanceSkal2002"},
      {55, "NorvanceSkal2003"},
      {56, "NorvanceSkalV"},
      {57, "NorvanceSkal6"},
      {58, "NorvanceSkal"},
      {59, "NorvanceGardo 2003"},
      {60, "NorvanceGardo V"},
      {61, "NorvanceGardo 6"},
      {62, "上网助手可以确保您的浏览器安全、让您远离恶意网站和恶意程序的困扰；内置强大的广告过滤引擎，可以完美过滤各类互联网广告，还您一个清净的互联空间；它还具有保护上网隐私、清理电脑使用痕迹和垃圾的功能。\r\n\r\n您需要安装上网助手吗？"},
      {101, "用法：SkalUpd [/S] [/LIST] [/VERSION=n] [/PROGRAMDIR=路径] [/REPORT=路径] [/?]\r\n\r\n/S\t无人值守升级：不显示任何窗口和提示，需要您选择时不进行升级。\r\n/LIST\t试运行：只报告升级将更新哪些文件及原因，不停止程序、不替换文件、不写注册表。\r\n/VERSION=n\t机器上装有多个Skal时，升级注册表中版本为 Vn.0 的那一个。\r\n/PROGRAMDIR=路径\t需要Skal.NET版本的安装路径时，使用此路径。\r\n/REPORT=路径\t升级报告的保存位置，缺省为升级日志所在目录下的 UpdReport.txt。\r\n/?\t显示本说明。\r\n\r\n退出码：0 升级成功；3010 升级成功，需要重新启动电脑；1602 升级被拒绝或取消；1603 升级失败；1639 命令行参数有误，升级没有进行。"},
      {102, "命令行参数有误：%s"},
      {103, "您的机器上安装了多个Skal，无人值守升级需要用 /VERSION=n 指定要升级的版本。升级没有进行。"},
      {104, "您的机器上没有可以升级的 V%d.0 版本的Skal。升级没有进行。"},
      {105, "无人值守升级需要用 /PROGRAMDIR=路径 指定Skal.NET版本的安装路径。升级没有进行。"},
      {106, "需要更新文件%s%s：%s"},
      {107, "本机没有此文件"},
      {108, "文件校验码不同"},
      {109, "本机文件日期较旧"},
      {110, "本机驱动程序版本较旧"},
      {111, "本机病毒库版本需要此增量文件"},
      {112, "此文件每次都更新"},
      {113, "试运行结束：升级将替换 %s 个文件。本次没有更改任何文件。"},
      {120, "升级报告没有保存到 %s ，请检查磁盘空间和写入权限后再试。"},
      {121, "您没有写入Skal安装目录 %s 的权限，升级没有进行。\r\n请用管理员帐户登录后再运行升级包！"},
      {130, "升级Skal需要管理员权限。请以管理员身份运行本升级程序，并在系统提示时允许它运行。升级没有进行。"},
  };
  for (const auto& expected : texts) EXPECT_EQ(RunnerText(expected.id), Gbk(expected.text)) << expected.id;
}

TEST(RunnerIcon, GroupIcon128IsPresent) {
  HMODULE runner =
      LoadLibraryExA((testsupport::ProgramFolder() + "SkalUpd.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(runner, nullptr);
  EXPECT_NE(FindResourceA(runner, MAKEINTRESOURCEA(kAppIconId), MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */), nullptr);
}

}  // namespace
