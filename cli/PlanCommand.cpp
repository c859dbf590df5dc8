#include "cli/PlanCommand.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "boards/PickPlaceImport.h"
#include "cli/SettingOptions.h"
#include "core/Error.h"
#include "core/FileSet.h"
#include "core/MessagePath.h"
#include "core/Messages.h"
#include "core/SystemErrorText.h"
#include "plan/PassPlan.h"
#include "plan/PassPrograms.h"
#include "plan/SetupSheet.h"
#include "project/ProjectFile.h"

namespace tav::cli {
namespace {

namespace fs = std::filesystem;

// The pass number of a file named "durchgang-N.nc", or 0.
int PassNumberOf(const std::string& fileName) {
  constexpr std::string_view kPrefix = "durchgang-";
  constexpr std::string_view kSuffix = ".nc";
  if (!fileName.starts_with(kPrefix) || !fileName.ends_with(kSuffix)) return 0;
  const std::string digits =
      fileName.substr(kPrefix.size(), fileName.size() - kPrefix.size() - kSuffix.size());
  if (digits.empty() || digits.size() > 9 || digits.front() == '0' ||
      digits.find_first_not_of("0123456789") != std::string::npos)
    return 0;
  return std::stoi(digits);
}

// Programs of an earlier plan with more passes than `passes`.
std::vector<std::string> StalePrograms(const fs::path& folder, int passes) {
  std::vector<std::string> stale;
  std::error_code error;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    if (PassNumberOf(entry->path().filename().string()) > passes &&
        entry->symlink_status(error).type() == fs::file_type::regular)
      stale.push_back(entry->path().string());
  }
  return stale;
}

// Removes a folder this command created, when the command fails after all.
class CreatedFolder final {
 public:
  explicit CreatedFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) == 0) {
      path_ = path;
    } else if (errno != EEXIST) {
      throw Error(
          FormatMessage(msg::kCannotCreate, {FullPathForMessage(path), SystemErrorText(errno)}));
    }
  }
  CreatedFolder(const CreatedFolder&) = delete;
  CreatedFolder& operator=(const CreatedFolder&) = delete;
  ~CreatedFolder() {
    if (!path_.empty()) ::rmdir(path_.c_str());
  }
  void Keep() noexcept { path_.clear(); }

 private:
  std::string path_;
};

}  // namespace

void RunPlan(const Arguments& args) {
  ComponentTree tree;
  MachineSettings settings;
  if (args.project) LoadProject(*args.project, tree, settings);
  if (args.pnp) PickPlaceImport(*args.pnp, tree);
  ApplySettingOptions(args, settings);
  ApplyAlignmentOptions(args, tree, settings, stderr);

  const PassPlan plan = PassPlan::Make(tree, settings);
  if (plan.Empty())
    throw Error(
        "Kein Bauteil ist eingeschlossen; es gibt keine Durchg\xE4nge zu planen, "
        "keine Datei wurde geschrieben");
  std::vector<std::string> programs = GeneratePassPrograms(tree, settings, plan);

  const fs::path folder(*args.output);
  std::vector<FileContent> files;
  for (int pass = 1; pass <= plan.PassCount(); ++pass)
    files.push_back({(folder / PassProgramFileName(pass)).string(),
                     std::move(programs[static_cast<std::size_t>(pass - 1)])});
  files.push_back({(folder / kSetupSheetFileName).string(), SetupSheet(plan)});

  CreatedFolder created(*args.output);
  CommitFileSet(files, StalePrograms(folder, plan.PassCount()));
  created.Keep();
}

}  // namespace tav::cli
