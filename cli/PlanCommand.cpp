// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/PlanCommand.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "boards/BoardFile.h"
#include "boards/PickPlaceImport.h"
#include "cli/SettingOptions.h"
#include "core/ComponentSide.h"
#include "core/Error.h"
#include "core/FileSet.h"
#include "core/MessagePath.h"
#include "core/Messages.h"
#include "core/SystemErrorText.h"
#include "gcode/GCodeGenerator.h"
#include "gcode/GCodeOptions.h"
#include "plan/PassPlan.h"
#include "plan/PassPrograms.h"
#include "plan/SetupSheet.h"
#include "plan/StreamedBoard.h"
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

void RefuseEmpty(const PassPlan& plan) {
  if (plan.Empty())
    throw Error(
        "Kein Bauteil ist eingeschlossen; es gibt keine Durchg\xE4nge zu planen, "
        "keine Datei wurde geschrieben");
}

// Writes the pass programs and the setup sheet of `plan` into the folder
// `args.output`, as one change; `program(pass)` gives a pass's program.
void WritePlan(const Arguments& args, const PassPlan& plan,
               const std::function<FileContent(int pass, const std::string& path)>& program) {
  const fs::path folder(*args.output);
  std::vector<FileContent> files;
  for (int pass = 1; pass <= plan.PassCount(); ++pass)
    files.push_back(program(pass, (folder / PassProgramFileName(pass)).string()));
  files.push_back({(folder / kSetupSheetFileName).string(), SetupSheet(plan)});

  CreatedFolder created(*args.output);
  CommitFileSet(files, StalePrograms(folder, plan.PassCount()));
  created.Keep();
}

// The program of pass `pass`, made while `board` is read: each row goes on
// its kind's feeder when its kind is in the pass and is left out otherwise,
// as applying the pass to the imported tree would do.
ByteProducer StreamedPassProgram(StreamedBoard& board, const PassPlan& plan,
                                 const MachineSettings& settings, const SettingOrigins& origins,
                                 int pass) {
  return [&board, &plan, &settings, &origins, pass](const ByteSink& write) {
    std::size_t row = 0;
    const auto feederInPass = [&plan, pass, &row](const BoardComponent&) {
      const int kind = plan.KindOfRow(row++);
      return kind >= 0 && PassPlan::PassOfKind(kind) == pass ? PassPlan::FeederOfKind(kind) : 0;
    };
    MachineSettings withAngles = settings;
    plan.ApplyPassAngles(withAngles, pass);
    // A refusal names the field of the settings the generator reads: this copy.
    const FieldNote note = [&](const std::string& field) {
      return origins.Note(withAngles, field);
    };
    GCodeGenerator::Generate(board.Components(feederInPass), withAngles, write, note);
  };
}

// `tav plan --pnp F` without a project: the board file is read once to plan
// the part kinds and once more for each pass program, which is written as its
// rows are read; no component tree is built and no program held whole.
void StreamPlan(const Arguments& args) {
  StreamedBoard board(*args.pnp);
  MachineSettings settings;
  SettingOrigins origins;
  try {
    ApplySettingOptions(args, settings, &origins);
  } catch (const Error&) {
    // A faulty board file is still the error reported, as when it is imported first.
    board.Check();
    throw;
  }
  const FieldNote note = [&](const std::string& field) { return origins.Note(settings, field); };
  const PassPlan plan = PassPlan::Make(
      [&args](const PlannedPartVisitor& visit) {
        ReadBoardFile(*args.pnp, [&visit](const BoardComponent& component) {
          visit(PlannedPart{component.value, component.footprint, component.designator,
                            SideOfLayer(component.side), true, component.rotation});
        });
      },
      settings);
  RefuseEmpty(plan);
  // Unusable program options and settings are refused before any file is
  // touched; each part is checked as its pass program is written.
  ProgramCheck(settings, ReadGCodeOptions(settings), note).Settings();
  WritePlan(args, plan, [&](int pass, const std::string& path) {
    return FileContent{path, {}, StreamedPassProgram(board, plan, settings, origins, pass)};
  });
}

}  // namespace

void RunPlan(const Arguments& args) {
  // Two measured points need the parts' design positions first, so an
  // alignment goes the tree's way.
  if (args.pnp && !args.project && args.align.empty()) {
    StreamPlan(args);
    return;
  }
  ComponentTree tree;
  MachineSettings settings;
  LoadCheckedJob(args, tree, settings, stderr);

  const PassPlan plan = PassPlan::Make(tree, settings);
  RefuseEmpty(plan);
  std::vector<std::string> programs = GeneratePassPrograms(tree, settings, plan);
  WritePlan(args, plan, [&programs](int pass, const std::string& path) {
    return FileContent{path, std::move(programs[static_cast<std::size_t>(pass - 1)])};
  });
}

}  // namespace tav::cli
