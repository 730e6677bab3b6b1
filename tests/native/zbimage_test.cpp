// Runs the built zbimage on generated files: formats byte by byte, the effect run against the pass
// itself, and errors that must leave every file as it was.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "button/pixels/EffectPass.h"
#include "button/pixels/ImageDIB.h"
#include "tests/support/TestPaths.h"
#include "tools/zbimage/PictureFiles.h"

namespace {

namespace fs = std::filesystem;

std::string Slurp(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}
void Spit(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

class ZbimageTest : public ::testing::Test {
 protected:
  std::string dir = tests::MakeTempDir("zbimage");
  std::string stderrText;
  std::string P(const std::string& name) const { return dir + "/" + name; }
  // Runs the tool with the arguments (file names relative to the test folder); returns its exit code.
  int Run(const std::string& args) {
    const std::string command = "cd '" + dir + "' && '" + tests::BinDir() + "/zbimage' " + args + " 2> stderr.txt";
    const int status = std::system(command.c_str());
    stderrText = Slurp(P("stderr.txt"));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::vector<uint32_t> Pixels(const std::string& name) {
    button::CImageDIB d;
    std::string error;
    EXPECT_TRUE(tools::ReadPicture(P(name), d, error)) << error;
    return std::vector<uint32_t>(d.m_bits, d.m_bits + size_t(d.Width()) * size_t(d.Height()));
  }
};

TEST_F(ZbimageTest, FormatsKeepEveryByteAndTheRowOrder) {
  ASSERT_EQ(Run("sample a.pam"), 0) << stderrText;
  ASSERT_EQ(Run("convert a.pam b.BMP"), 0) << stderrText;
  ASSERT_EQ(Run("convert b.BMP c.pam"), 0) << stderrText;
  EXPECT_EQ(Slurp(P("a.pam")), Slurp(P("c.pam")));
  button::CImageDIB sample;
  std::string error;
  ASSERT_TRUE(tools::ReadPicture(P("a.pam"), sample, error)) << error;
  EXPECT_EQ(sample.Width(), 96);
  EXPECT_EQ(sample.Height(), 64);
  EXPECT_EQ(sample.Pixel(10, 63 - 10), 0x00FA0000u);  // the Mask-coloured area near the top-left

  // A 2 x 2 PPM, top row red then green, bottom row blue then white.
  Spit(P("in.ppm"),
       std::string("P6\n# two by two\n2 2\n255\n") + std::string("\xFF\0\0\0\xFF\0\0\0\xFF\xFF\xFF\xFF", 12));
  ASSERT_EQ(Run("convert in.ppm out.pam"), 0) << stderrText;
  ASSERT_EQ(Run("convert in.ppm out.bmp"), 0) << stderrText;
  const std::string pam = Slurp(P("out.pam"));
  const std::string header = "P7\nWIDTH 2\nHEIGHT 2\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
  EXPECT_EQ(pam, header + std::string("\xFF\0\0\0\0\xFF\0\0\0\0\xFF\0\xFF\xFF\xFF\0", 16));
  const std::string bmp = Slurp(P("out.bmp"));
  ASSERT_EQ(bmp.size(), 54u + 16u);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(bmp.substr(28, 2), std::string("\x20\0", 2));  // 32 bits a pixel
  // Bottom row first, each pixel blue, green, red, fourth byte.
  EXPECT_EQ(bmp.substr(54), std::string("\xFF\0\0\0\xFF\xFF\xFF\0\0\0\xFF\0\0\xFF\0\0", 16));
}

TEST_F(ZbimageTest, EffectRunsMirrorAndPassLikeTheControl) {
  ASSERT_EQ(Run("sample s.pam"), 0) << stderrText;
  ASSERT_EQ(Run("effect s.pam e.pam --EffectFilter 22 --MaskColor 0xFA --EffectColorMaskValue -9 --FlipHorisontal 1 "
                "--EffectGlobalBlend 1 --EffectGlobalBlendValue 300 --EffectApplyTo 2 --state over --BackGroundColor "
                "4210752"),
            0)
      << stderrText;
  button::CImageDIB expected, work;
  std::string error;
  ASSERT_TRUE(tools::ReadPicture(P("s.pam"), expected, error));
  ASSERT_TRUE(work.Create(96, 64));
  button::EffectSettings s;
  s.EffectFilter = 22;
  s.MaskColor = 0xFA;
  s.EffectColorMaskValue = 0;
  s.EffectGlobalBlend = true;
  s.EffectGlobalBlendValue = 255;
  s.EffectApplyTo = 2;
  s.BackGroundColor = 0x404040;
  button::PictureState over;
  over.shown = button::ShownPicture::Over;
  button::MirrorPicture(expected, false, true);
  button::RunEffectPass(expected, work, s, over);
  EXPECT_EQ(Pixels("e.pam"), std::vector<uint32_t>(expected.m_bits, expected.m_bits + 96 * 64));

  // The bevel's pressed look comes from the down picture or the pressed flag alike.
  ASSERT_EQ(Run("effect s.pam d1.pam --ButtonMode 2 --state down"), 0) << stderrText;
  ASSERT_EQ(Run("effect s.pam d2.pam --ButtonMode 5 --pressed 1"), 0) << stderrText;
  ASSERT_EQ(Run("effect s.pam d3.pam --ButtonMode 5"), 0) << stderrText;
  EXPECT_EQ(Pixels("d1.pam"), Pixels("d2.pam"));
  EXPECT_NE(Pixels("d1.pam"), Pixels("d3.pam"));
  // A mode above 5 is stored as 0: no bevel at all.
  ASSERT_EQ(Run("effect s.pam m.pam --ButtonMode 9 --pressed 1"), 0) << stderrText;
  EXPECT_EQ(Pixels("m.pam"), Pixels("s.pam"));
}

TEST_F(ZbimageTest, ErrorsExitWithTwoAndWriteNothing) {
  ASSERT_EQ(Run("sample s.pam"), 0) << stderrText;
  const std::string pam = Slurp(P("s.pam"));
  Spit(P("short.pam"), pam.substr(0, pam.size() - 1));
  Spit(P("deep.pam"), "P7\nWIDTH 1\nHEIGHT 1\nDEPTH 2\nMAXVAL 255\nENDHDR\nab");
  Spit(P("huge.pam"), "P7\nWIDTH 999999999\nHEIGHT 999999999\nDEPTH 4\nMAXVAL 255\nENDHDR\nabcd");
  std::string rgb24(58, '\0');  // a 1 x 1 bitmap of 16 bits a pixel: no decoder reads it
  for (auto [at, v] : {std::pair<int, char>{0, 'B'}, {1, 'M'}, {10, 54}, {14, 40}, {18, 1}, {22, 1}, {26, 1}, {28, 16}})
    rgb24[size_t(at)] = v;
  Spit(P("rgb24.bmp"), rgb24);
  Spit(P("keep.pam"), "keep me");
  const char* bad[] = {
      "effect s.pam keep.pam --Bogus 1",
      "effect s.pam keep.pam --EffectFilter 12x",
      "effect s.pam keep.pam --EffectGlobalBlendValue 40000",
      "effect s.pam keep.pam --EffectColorMask 2",
      "effect s.pam keep.pam --state sideways",
      "effect s.pam keep.pam --MaskColor -1",
      "effect s.pam keep.pam --EffectFilter",
      "convert missing.pam keep.pam",
      "convert short.pam keep.pam",
      "convert deep.pam keep.pam",
      "convert huge.pam keep.pam",
      "convert rgb24.bmp keep.pam",
      "convert s.pam keep.png",
      "convert s.txt keep.pam",
      "convert s.pam",
      "frobnicate s.pam keep.pam",
  };
  for (const char* args : bad) {
    EXPECT_EQ(Run(args), 2) << args;
    EXPECT_EQ(stderrText.rfind("zbimage: ", 0), 0u) << args << ": " << stderrText;
    EXPECT_EQ(stderrText.find('\n'), stderrText.size() - 1) << args << ": " << stderrText;
    EXPECT_EQ(Slurp(P("keep.pam")), "keep me") << args;
  }
  for (const auto& entry : fs::directory_iterator(dir))
    EXPECT_EQ(entry.path().string().find("zbimage-part"), std::string::npos) << entry.path();
  EXPECT_FALSE(fs::exists(P("keep.png")));
}

}  // namespace
