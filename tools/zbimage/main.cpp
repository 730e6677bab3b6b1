// zbimage: converts pictures and runs the button control's effect pass on them from the command line.
//   zbimage convert IN OUT
//   zbimage effect IN OUT [--Property value ...]
//   zbimage sample OUT
// Errors print one line on stderr and exit with 2, without writing anything.
#include <cstdio>
#include <string>
#include <vector>

#include "button/pixels/ImageDIB.h"
#include "tools/zbimage/EffectOptions.h"
#include "tools/zbimage/PictureFiles.h"
#include "tools/zbimage/SamplePicture.h"

namespace tools {
namespace {

const char kUsage[] =
    "usage: zbimage convert IN OUT | zbimage effect IN OUT [--Property value ...] | zbimage sample OUT";

int Fail(const std::string& message) {
  std::fprintf(stderr, "zbimage: %s\n", message.c_str());
  return 2;
}

int Run(const std::vector<std::string>& args) {
  if (args.empty()) return Fail(kUsage);
  const std::string& command = args[0];
  std::string error;
  CImageDIB picture;
  if (command == "sample" && args.size() == 2) {
    if (!CanWritePicture(args[1])) return Fail("cannot write " + args[1] + ": unknown picture type (use .pam or .bmp)");
    if (!MakeSamplePicture(picture)) return Fail("sample: " + picture.ErrorText);
  } else if ((command == "convert" && args.size() == 3) || (command == "effect" && args.size() >= 3)) {
    EffectJob job;
    if (!ParseEffectOptions(std::vector<std::string>(args.begin() + 3, args.end()), job, error)) return Fail(error);
    if (!CanWritePicture(args[2])) return Fail("cannot write " + args[2] + ": unknown picture type (use .pam or .bmp)");
    if (!ReadPicture(args[1], picture, error)) return Fail(error);
    if (command == "effect" && !RunEffectJob(picture, job, error)) return Fail(error);
  } else {
    return Fail(kUsage);
  }
  if (!WritePicture(command == "sample" ? args[1] : args[2], picture, error)) return Fail(error);
  return 0;
}

}  // namespace
}  // namespace tools

int main(int argc, char** argv) { return tools::Run(std::vector<std::string>(argv + 1, argv + argc)); }
