#include "tools/scenegen/SceneGenCli.h"

#include "scene/Exception.h"
#include "scene/FileStream.h"
#include "tools/scenegen/SceneGenerator.h"

namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

const char kUsageText[] =
    "usage: scenegen [--seed N] [--objects N] [--definitions N] [--initscripts N]\n"
    "                [--viseffects N] [--target-bytes N] [--unknown-types]\n"
    "                [--one-name NAME] OUT\n"
    "Writes a synthetic scene2.bin to OUT; the same options give the same bytes.\n"
    "  --seed N          seed of the made-up content (default 1)\n"
    "  --objects N       object chunks (default 200)\n"
    "  --definitions N   definition chunks (default 50)\n"
    "  --initscripts N   init script chunks (default 10)\n"
    "  --viseffects N    visual effect chunks (default 10)\n"
    "  --target-bytes N  pads the items so that the file grows to about N bytes\n"
    "  --unknown-types   also uses type codes without a name (the editor stops\n"
    "                    filling its tree at the first such object)\n"
    "  --one-name NAME   names every item NAME (its bytes as given)\n"
    "Exit status: 0 written, 1 the file could not be written, 2 bad usage.\n";

// Counts are held as signed 32-bit numbers by the scene model.
constexpr uint64_t kMaxCount = INT32_MAX;

struct NumberOption {
  const char* name;
  uint64_t max;
  void (*set)(SceneOptions&, uint64_t);
};

constexpr NumberOption kNumberOptions[] = {
    {"--seed", UINT64_MAX, [](SceneOptions& o, uint64_t v) { o.seed = v; }},
    {"--objects", kMaxCount, [](SceneOptions& o, uint64_t v) { o.objects = static_cast<uint32_t>(v); }},
    {"--definitions", kMaxCount, [](SceneOptions& o, uint64_t v) { o.definitions = static_cast<uint32_t>(v); }},
    {"--initscripts", kMaxCount, [](SceneOptions& o, uint64_t v) { o.initScripts = static_cast<uint32_t>(v); }},
    {"--viseffects", kMaxCount, [](SceneOptions& o, uint64_t v) { o.visualEffects = static_cast<uint32_t>(v); }},
    {"--target-bytes", kMaxSceneBytes, [](SceneOptions& o, uint64_t v) { o.targetBytes = static_cast<uint32_t>(v); }},
};

// Decimal digits only, no sign, at most `max`.
bool ParseNumber(const std::string& text, uint64_t max, uint64_t& value) {
  if (text.empty()) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    const uint64_t digit = static_cast<uint64_t>(c - '0');
    if (value > (max - digit) / 10) return false;
    value = value * 10 + digit;
  }
  return true;
}

int Usage(std::ostream& err, const std::string& problem) {
  err << "scenegen: " << problem << '\n' << kUsageText;
  return kUsage;
}

int Generate(const SceneOptions& options, const std::string& path, std::ostream& err) {
  auto created = TFileStream::Create(path);
  if (!created.ok()) {
    err << "scenegen: cannot create " << path << ": " << created.reason() << '\n';
    return kFailure;
  }
  TFileStream& file = *created.value();
  try {
    GenerateScene(options, file);
    file.Commit();
    return kSuccess;
  } catch (const std::exception& failure) {
    // What was written stays: OUT may be a device, which must not be removed.
    err << "scenegen: cannot write " << path << ": " << FailureMessage(failure) << '\n';
    return kFailure;
  }
}

}  // namespace

int RunSceneGen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  SceneOptions options;
  std::string path;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-h" || arg == "--help") {
      out << kUsageText;
      return kSuccess;
    }
    if (arg == "--unknown-types") {
      options.unknownTypes = true;
      continue;
    }
    if (arg == "--one-name") {
      if (i + 1 == args.size() || args[i + 1].empty()) return Usage(err, arg + " needs a name");
      options.oneName = args[++i];
      continue;
    }
    if (arg.size() > 1 && arg[0] == '-') {
      const NumberOption* option = nullptr;
      for (const NumberOption& each : kNumberOptions)
        if (arg == each.name) option = &each;
      if (option == nullptr) return Usage(err, "unknown option " + arg);
      uint64_t value = 0;
      if (i + 1 == args.size() || !ParseNumber(args[i + 1], option->max, value))
        return Usage(err, arg + " needs a number from 0 to " + std::to_string(option->max));
      option->set(options, value);
      ++i;
      continue;
    }
    if (!path.empty()) return Usage(err, "more than one output file");
    path = arg;
  }
  if (path.empty()) return Usage(err, "no output file");
  return Generate(options, path, err);
}
