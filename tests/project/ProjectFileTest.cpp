// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/ProjectFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ProjectTestSupport.h"
#include "core/FileAccess.h"
#include "project/IniDocument.h"

namespace tav {
namespace {

using test::ErrorOf;
using test::NodeState;
using test::ReadBytes;
using test::StateOf;
using test::WriteBytes;

// A first save by the previous version, which knew no program options.
const std::string kGoldenPath = TAV_SOURCE_DIR "/tests/data/project/example.tav";

// The keys a save appends to the section "G-Code" after the previous
// version's two, with their defaults.
constexpr const char* kLaterKeys =
    "Ventil_Off=\r\nVentil_Schalten=0\r\nSteuerung=Standard\r\nKommentare=0\r\nTrockenlauf=0\r\n";

// The sections a save adds after "Koordinaten", with their defaults: the
// machine's travel (no limits) and rotation axis, and the board's placement.
constexpr const char* kMachineAndBoard =
    "[Maschine]\r\nX_Min=\r\nX_Max=\r\nY_Min=\r\nY_Max=\r\nZ_Min=\r\nDrehachse=keine\r\n[Platine]"
    "\r\nNullpunkt_X=0.00\r\nNullpunkt_Y=0.00\r\n"
    "Drehung=0\r\nSeite=\r\n";

// `file` (with default settings) as this version saves it: the later keys, each
// feeder's angle after its direction on a first save, or after the previous
// version's feeder keys when the file is updated, and the two later sections.
std::string WithLaterKeys(std::string file, bool updated = false) {
  const std::string delay = "Delay=0.5\r\n";
  file.insert(file.find(delay) + delay.size(), kLaterKeys);
  if (updated) {
    const std::string last = "F4W=Rechts\r\n";
    file.insert(file.find(last) + last.size(), "F1A=0\r\nF2A=0\r\nF3A=0\r\nF4A=0\r\n");
  } else {
    for (const char* direction :
         {"F1W=Rechts\r\n", "F2W=Rechts\r\n", "F3W=Rechts\r\n", "F4W=Rechts\r\n"}) {
      const std::size_t at = file.find(direction) + std::string(direction).size();
      file.insert(at, std::string("F") + direction[1] + "A=0\r\n");
    }
  }
  const std::string height = "BauteilMaxZ=0.00\r\n";
  const std::size_t at = file.find(height) + height.size();
  if (updated) return file;
  return file.insert(at, kMachineAndBoard);
}

std::string CannotWrite(const std::string& path) {
  return "In " + path + " kann nicht geschrieben werden";
}

// The settings section lines of a save with every setting at its default.
std::string DefaultSettingsLines() {
  std::string text = "[Feeder]\r\n";
  for (char n = '1'; n <= '4'; ++n) {
    for (const char* field : {"X=0.00", "Y=0.00", "Z=0.00", "V=0.00", "W=Rechts", "A=0"})
      text += std::string("F") + n + field + "\r\n";
  }
  return text +
         "[Geschwindigkeiten]\r\nSpeedHeben=2\r\nSpeedSetzen=2\r\nSpeedFahren=20\r\n"
         "[G-Code]\r\nVentil_On=M1\r\nDelay=0.5\r\n" +
         kLaterKeys + "[Koordinaten]\r\nBauteilMaxZ=0.00\r\n" + kMachineAndBoard;
}

class ProjectFileTest : public ::testing::Test {
 protected:
  test::TempFolder folder_;
  std::string path_ = folder_ / "platine.tav";
};

TEST_F(ProjectFileTest, FirstSaveWritesTheExampleByteForByte) {
  ComponentTree tree;
  test::AddProjectComponent(tree, "R1");
  const std::string golden = ReadBytes(kGoldenPath);
  SaveProject(path_, tree, MachineSettings{});
  EXPECT_EQ(ReadBytes(path_), WithLaterKeys(golden));

  // Loading the previous version's file and saving it to a new file gives the
  // same bytes again, with the later keys at their defaults.
  ComponentTree loaded;
  MachineSettings settings;
  settings.travelFeed = "99";
  LoadProject(kGoldenPath, loaded, settings);
  EXPECT_EQ(StateOf(loaded), StateOf(tree));
  EXPECT_EQ(settings, MachineSettings{});
  const std::string copy = folder_ / "copy.tav";
  SaveProject(copy, loaded, settings);
  EXPECT_EQ(ReadBytes(copy), WithLaterKeys(golden));
}

TEST_F(ProjectFileTest, SecondSaveUpdatesInPlaceAndPutsComponentsLast) {
  const std::string golden = ReadBytes(kGoldenPath);
  WriteBytes(path_, golden);
  ComponentTree tree;
  MachineSettings settings;
  LoadProject(path_, tree, settings);
  SaveProject(path_, tree, settings);
  const std::size_t icons = golden.find("[Icons]");
  // An update appends new sections at the end, after the moved components.
  EXPECT_EQ(ReadBytes(path_),
            WithLaterKeys(golden.substr(icons), true) + golden.substr(0, icons) + kMachineAndBoard);
}

TEST_F(ProjectFileTest, ProgramOptionsRoundTripAndDefaultWhenMissing) {
  ComponentTree tree;
  test::AddProjectComponent(tree, "R1");
  MachineSettings options;
  options.valveOffCode = "M65 P0";
  options.switchValve = "1";
  options.controller = "LinuxCNC";
  options.comments = "1";
  options.dryRun = "1";
  options.workXMin = "-5";
  options.workZMin = "-12,5";
  SaveProject(path_, tree, options);
  const std::string saved = ReadBytes(path_);
  EXPECT_NE(saved.find("Delay=0.5\r\nVentil_Off=M65 P0\r\nVentil_Schalten=1\r\n"
                       "Steuerung=LinuxCNC\r\nKommentare=1\r\nTrockenlauf=1\r\n[Koordinaten]"),
            std::string::npos)
      << saved;
  EXPECT_NE(saved.find("[Maschine]\r\nX_Min=-5\r\nX_Max=\r\nY_Min=\r\nY_Max=\r\nZ_Min=-12,5\r\n"),
            std::string::npos)
      << saved;
  MachineSettings loaded;
  LoadProject(path_, tree, loaded);
  EXPECT_EQ(loaded, options);

  // A project of the previous version resets the options of the project open
  // before, while its own old keys still win over whatever was set.
  MachineSettings previous = options;
  previous.Feeder(2)->x = "kept only when missing";
  LoadProject(kGoldenPath, tree, previous);
  EXPECT_EQ(previous, MachineSettings{});
}

TEST_F(ProjectFileTest, EmptyTreeWritesNoTreeSections) {
  ComponentTree tree;
  SaveProject(path_, tree, MachineSettings{});
  EXPECT_EQ(ReadBytes(path_), DefaultSettingsLines() + "[Bibliothek]\r\nElemente=0\r\n");

  MachineSettings settings;
  settings.valveDelay = "7";
  tree.AddChild(nullptr, "old");
  LoadProject(path_, tree, settings);
  EXPECT_EQ(tree.Count(), 0);
  EXPECT_EQ(settings, MachineSettings{});
}

TEST_F(ProjectFileTest, IncludeStatesGoToBibliothek) {
  ComponentTree tree;
  test::AddProjectComponent(tree, "R1");
  test::AddProjectComponent(tree, "R2", false);
  test::AddProjectComponent(tree, "R3");
  tree.SetImageIndex(tree.AddChild(nullptr, "odd icon"), 4);
  SaveProject(path_, tree, MachineSettings{});
  const IniDocument saved(ReadBytes(path_));
  EXPECT_EQ(saved.ReadSection("Bibliothek"),
            (std::vector<std::string>{"Elemente", "0", "13", "26"}));
  EXPECT_EQ(saved.ReadSectionValues("Bibliothek"),
            (std::vector<std::string_view>{"40", "true", "false", "true"}));
  EXPECT_EQ(saved.ReadString("Icons", "13", ""), "1");
  EXPECT_EQ(saved.ReadString("Icons", "39", ""), "4");
}

TEST_F(ProjectFileTest, SmallerSaveOverLargerKeepsHarmlessLeftovers) {
  ComponentTree tree;
  for (const char* name : {"R1", "R2", "R3"}) test::AddProjectComponent(tree, name);
  SaveProject(path_, tree, MachineSettings{});
  ComponentTree smaller;
  test::AddProjectComponent(smaller, "C1");
  test::AddProjectComponent(smaller, "C2", false);
  SaveProject(path_, smaller, MachineSettings{});

  const IniDocument saved(ReadBytes(path_));
  const auto nodes = saved.ReadSection("components");
  ASSERT_EQ(nodes.size(), 26u);
  EXPECT_EQ(nodes.front(), "Node0");
  EXPECT_EQ(nodes.back(), "Node25");
  EXPECT_EQ(saved.ReadSection("Icons").size(), 39u);
  EXPECT_EQ(saved.ReadString("Bibliothek", "26", ""), "true");

  ComponentTree loaded;
  MachineSettings settings;
  LoadProject(path_, loaded, settings);
  EXPECT_EQ(StateOf(loaded), StateOf(smaller));
}

TEST_F(ProjectFileTest, StaleStateOfAnEarlierSaveDoesNotReachOtherNodes) {
  ComponentTree tree;
  for (const char* name : {"A", "B", "C"}) tree.AddChild(nullptr, name);
  SaveProject(path_, tree, MachineSettings{});

  ComponentTree changed;
  TreeNode* top = changed.AddChild(nullptr, "A");
  changed.SetImageIndex(changed.AddChild(top, "child"), 5);
  changed.SetImageIndex(changed.AddChild(nullptr, "odd"), 7);
  SaveProject(path_, changed, MachineSettings{});
  EXPECT_NE(ReadBytes(path_).find("[Bibliothek]\r\nElemente=3\r\n0=true\r\n[components]"),
            std::string::npos);

  ComponentTree loaded;
  MachineSettings settings;
  LoadProject(path_, loaded, settings);
  EXPECT_EQ(StateOf(loaded),
            (std::vector<NodeState>{{0, "A", 0, 0}, {1, "child", 5, 5}, {0, "odd", 7, 7}}));
}

TEST_F(ProjectFileTest, UnknownSectionsKeysAndLinesSurviveASave) {
  WriteBytes(path_,
             "; written by hand\n[Extra]\nkeep=me\n\n[feeder]\n F1X = 5\nF9Q=unknown\n"
             "[Bibliothek]\n100=true\n");
  ComponentTree tree;
  SaveProject(path_, tree, MachineSettings{});
  const std::string bytes = ReadBytes(path_);
  const std::string head =
      "; written by hand\r\n[Extra]\r\nkeep=me\r\n\r\n[feeder]\r\n F1X =0.00\r\nF9Q=unknown\r\n"
      "F1Y=0.00\r\n";
  EXPECT_EQ(bytes.substr(0, head.size()), head);
  EXPECT_NE(bytes.find("[Bibliothek]\r\n100=true\r\nElemente=0\r\n"), std::string::npos);
  EXPECT_EQ(bytes.find("[Feeder]"), std::string::npos);
}

TEST_F(ProjectFileTest, TabsAndHashesInTextsBecomeTabs) {
  ComponentTree tree;
  TreeNode* top = tree.AddChild(nullptr, "a\tb#c");
  tree.AddChild(top, "x#y");
  SaveProject(path_, tree, MachineSettings{});
  const IniDocument saved(ReadBytes(path_));
  EXPECT_EQ(saved.ReadSectionValues("components"),
            (std::vector<std::string_view>{"a#b#c", "#x#y"}));
  MachineSettings settings;
  LoadProject(path_, tree, settings);
  EXPECT_EQ(StateOf(tree), (std::vector<NodeState>{{0, "a\tb\tc", 0, 0}, {1, "x\ty", 0, 0}}));
}

TEST_F(ProjectFileTest, SettingsKeepMissingKeysAndTakeEmptyValues) {
  WriteBytes(path_, "[Feeder]\r\nF2W=Links\r\nF3X=\r\n[G-CODE]\r\ndelay = \"1.5\" \r\n");
  MachineSettings settings;
  settings.travelFeed = "33";
  settings.angles[0] = "90";
  settings.alignmentPockets[0] = "1.00";
  MachineSettings expected = settings;
  expected.angles[0] = "0";  // a key added later: its default when missing
  expected.feeders[1].direction = "Links";
  expected.feeders[2].x = "";
  expected.valveDelay = " \"1.5\" ";
  ComponentTree tree;
  test::AddProjectComponent(tree, "R1");
  WriteBytes(path_,
             ReadBytes(path_) + "[components]\r\nNode0=R1\r\n[Bibliothek]\r\nElemente=0\r\n");
  LoadProject(path_, tree, settings);
  EXPECT_EQ(settings, expected);
  EXPECT_EQ(StateOf(tree), (std::vector<NodeState>{{0, "R1", 0, 0}}));
}

// Files that load, with the tree they give.
struct LoadCase {
  const char* name;
  std::string file;
  std::vector<NodeState> nodes;
};

class LoadTest : public ProjectFileTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadTest, GivesTheTree) {
  WriteBytes(path_, GetParam().file);
  ComponentTree tree;
  tree.AddChild(nullptr, "old");
  MachineSettings settings;
  LoadProject(path_, tree, settings);
  EXPECT_EQ(StateOf(tree), GetParam().nodes);
}

const std::string kTwoNodes = "[components]\r\nNode0=A\r\nNode1=#B\r\n";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, LoadTest, ::testing::Values(
    LoadCase{"ElementeMissingAppliesIndexZeroOnly",
             kTwoNodes + "[Icons]\r\n0=3\r\n1=5\r\n[Bibliothek]\r\n1=false\r\n",
             {{0, "A", 3, 3}, {1, "B", 0, 0}}},
    LoadCase{"ElementeMissingStillReadsLibraryKeyZero",
             kTwoNodes + "[Icons]\r\n0=3\r\n[Bibliothek]\r\n0=false\r\n",
             {{0, "A", 1, 1}, {1, "B", 0, 0}}},
    LoadCase{"NegativeElementeAppliesNothing",
             kTwoNodes + "[Icons]\r\n0=3\r\n1=5\r\n[Bibliothek]\r\nElemente=-1\r\n0=false\r\n",
             {{0, "A", 0, 0}, {1, "B", 0, 0}}},
    LoadCase{"OnlyExactTrueAndFalseCount",
             "[components]\r\nNode0=A\r\nNode1=B\r\nNode2=C\r\nNode3=#D\r\n[Icons]\r\n0=4\r\n1=4\r\n2=4\r\n3=4\r\n"
             "[Bibliothek]\r\nElemente=4\r\n0=True\r\n1=1\r\n2=false \r\n3=true\r\n",
             {{0, "A", 4, 4}, {0, "B", 4, 4}, {0, "C", 4, 4}, {1, "D", 0, 0}}},
    LoadCase{"HexIconsAndElemente",
             kTwoNodes + "[Icons]\r\n0=$7\r\n[Bibliothek]\r\nElemente=0x1\r\n",
             {{0, "A", 7, 7}, {1, "B", 0, 0}}},
    LoadCase{"KeysNamedOtherwiseReadInFileOrder",
             "[components]\r\nNode5=A\r\nzzz=#B\r\nNode0=##C\r\n[Bibliothek]\r\nElemente=0\r\n",
             {{0, "A", 0, 0}, {1, "B", 0, 0}, {2, "C", 0, 0}}},
    LoadCase{"OtherCaseAndBlanksAroundNames",
             "[ COMPONENTS ]\r\n node0 =A\r\n[icons]\r\n0 = 6\r\n[bibliothek]\r\n ELEMENTE=1\r\n",
             {{0, "A", 6, 6}}},
    LoadCase{"LfOnly", "[components]\nNode0=A\nNode1=#B\n[Icons]\n1=2\n[Bibliothek]\nElemente=2\n0=false\n",
             {{0, "A", 1, 1}, {1, "B", 2, 2}}},
    LoadCase{"CrOnly", "[components]\rNode0=A\rNode1=#B\r[Icons]\r1=2\r[Bibliothek]\rElemente=2\r0=false",
             {{0, "A", 1, 1}, {1, "B", 2, 2}}},
    LoadCase{"FirstLineWithHashesIsTopLevel",
             "[components]\r\nNode0=##A\r\nNode1=#B\r\n[Bibliothek]\r\nElemente=0\r\n",
             {{0, "A", 0, 0}, {1, "B", 0, 0}}},
    LoadCase{"DuplicateKeyFirstCounts",
             "[components]\r\nNode0=A\r\nNode0=B\r\n[Bibliothek]\r\nElemente=1\r\n0=false\r\n0=true\r\n",
             {{0, "A", 1, 1}}},
    LoadCase{"BlankLedTopLevelTextBecomesChild",
             "[components]\r\nNode0=A\r\nNode1= B\r\n[Bibliothek]\r\nElemente=0\r\n",
             {{0, "A", 0, 0}, {1, "B", 0, 0}}}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

// Files that fail to load, with the message; tree and settings stay as they were.
struct FailCase {
  const char* name;
  std::string file;  // "<none>": no file at all
  std::string message;
};

class LoadFailureTest : public ProjectFileTest, public ::testing::WithParamInterface<FailCase> {};

TEST_P(LoadFailureTest, ChangesNothing) {
  if (GetParam().file != "<none>") WriteBytes(path_, GetParam().file);
  ComponentTree tree;
  test::AddProjectComponent(tree, "KEEP", false);
  MachineSettings settings;
  settings.feeders[0].x = "123.4";
  settings.travelFeed = "1500";
  const auto pointers = test::PointersOf(tree);
  const auto state = StateOf(tree);
  const MachineSettings before = settings;

  // "%s" in the message stands for the file's path.
  std::string message = GetParam().message;
  if (const std::size_t at = message.find("%s"); at != std::string::npos)
    message.replace(at, 2, path_);
  EXPECT_EQ(ErrorOf([&] { LoadProject(path_, tree, settings); }), message);
  EXPECT_EQ(test::PointersOf(tree), pointers);
  EXPECT_EQ(StateOf(tree), state);
  EXPECT_EQ(settings, before);
}

const std::string kSettings = "[Feeder]\r\nF1X=9\r\n[Geschwindigkeiten]\r\nSpeedFahren=1\r\n";
const std::string kInvalidIndex = "Ung\xFCltiger Index";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, LoadFailureTest, ::testing::Values(
    FailCase{"MissingFile", "<none>", "Datei \"%s\" nicht gefunden"},
    FailCase{"EmptyFile", "", "Datei \"%s\" ist keine Projektdatei"},
    FailCase{"NoProjectSection", "[Other]\r\nx=1\r\n", "Datei \"%s\" ist keine Projektdatei"},
    FailCase{"BoardFile", "\"Designator\",\"Mid X\"\r\n\"R1\",\"1mm\"\r\n",
             "Datei \"%s\" ist keine Projektdatei"},
    FailCase{"SettingsWithoutElemente", kSettings + "[Other]\r\nx=1\r\n", "Datei \"%s\": " + kInvalidIndex},
    FailCase{"ElementeBeyondTree", kSettings + kTwoNodes + "[Bibliothek]\r\nElemente=3\r\n",
             "Datei \"%s\": " + kInvalidIndex},
    FailCase{"ElementeHuge", kSettings + kTwoNodes + "[Bibliothek]\r\nElemente=2147483647\r\n",
             "Datei \"%s\": " + kInvalidIndex},
    FailCase{"ElementeNotAnInteger", kSettings + kTwoNodes + "[Bibliothek]\r\nElemente= 2 \r\n",
             "Datei \"%s\": ' 2 ' ist kein g\xFCltiger Integerwert"},
    FailCase{"IconNotAnInteger", kSettings + kTwoNodes + "[Icons]\r\n1=5x\r\n[Bibliothek]\r\nElemente=2\r\n",
             "Datei \"%s\": '5x' ist kein g\xFCltiger Integerwert"},
    FailCase{"LineTooDeep", kSettings + "[components]\r\nNode0=R1\r\nNode1=##10.16mm\r\n",
             "Datei \"%s\": Ung\xFCltige Ebene (2) f\xFCr Eintrag \"10.16mm\""},
    FailCase{"BlankLedValueUnderPosition",
             kSettings + "[components]\r\nNode0=R1\r\nNode1=#Position\r\nNode2=## 10.16mm\r\n",
             "Datei \"%s\": Ung\xFCltige Ebene (3) f\xFCr Eintrag \"10.16mm\""},
    FailCase{"TextStartingWithTab", kSettings + "[components]\r\nNode0=R1\r\nNode1=##\tdeep\r\n",
             "Datei \"%s\": Ung\xFCltige Ebene (3) f\xFCr Eintrag \"deep\""}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

TEST_F(ProjectFileTest, UnreadableFileFailsToLoadAndChangesNothing) {
  std::filesystem::create_directory(path_);
  ComponentTree tree;
  test::AddProjectComponent(tree, "KEEP");
  MachineSettings settings;
  settings.valveOnCode = "M7";
  const auto state = StateOf(tree);
  const std::string message = ErrorOf([&] { LoadProject(path_, tree, settings); });
  EXPECT_EQ(message.rfind("Datei " + path_ +
                              " kann nicht ge\xF6"
                              "ffnet werden. ",
                          0),
            0u)
      << message;
  EXPECT_EQ(StateOf(tree), state);
  EXPECT_EQ(settings.valveOnCode, "M7");
}

TEST_F(ProjectFileTest, FailedSaveLeavesTheTargetAsItWas) {
  ComponentTree tree;
  test::AddProjectComponent(tree, "R1");

  // A folder where the file should be.
  std::filesystem::create_directory(path_);
  EXPECT_EQ(ErrorOf([&] { SaveProject(path_, tree, {}); }), CannotWrite(path_));
  EXPECT_TRUE(std::filesystem::is_directory(path_));

  // A folder that does not exist.
  const std::string missing = folder_ / "missing/platine.tav";
  EXPECT_EQ(ErrorOf([&] { SaveProject(missing, tree, {}); }), CannotWrite(missing));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "missing"));

  // A full disk while the new content is written.
  const std::string existing = folder_ / "existing.tav";
  WriteBytes(existing, "[components]\r\nNode0=old\r\n");
  SetWriteFailureForTesting(10, ENOSPC);
  const std::string message = ErrorOf([&] { SaveProject(existing, tree, {}); });
  SetWriteFailureForTesting(-1, 0);
  EXPECT_EQ(message, CannotWrite(existing));
  EXPECT_EQ(ReadBytes(existing), "[components]\r\nNode0=old\r\n");

  // A text that would break the file apart.
  tree.SetText(tree.NodeAt(3), "Layer: Top\r\n[Feeder]\r\nF1X=666");
  EXPECT_EQ(ErrorOf([&] { SaveProject(existing, tree, {}); }), CannotWrite(existing));
  EXPECT_EQ(ReadBytes(existing), "[components]\r\nNode0=old\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.path()), {}), 2);
}

TEST_F(ProjectFileTest, PathWithoutFolderIsInTheCurrentFolder) {
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(folder_.path());
  ComponentTree tree;
  test::AddProjectComponent(tree, "R1");
  SaveProject("here.tav", tree, {});
  ComponentTree loaded;
  MachineSettings settings;
  LoadProject("here.tav", loaded, settings);
  std::filesystem::current_path(previous);
  EXPECT_EQ(ReadBytes(folder_ / "here.tav"), WithLaterKeys(ReadBytes(kGoldenPath)));
  EXPECT_EQ(StateOf(loaded), StateOf(tree));
}

TEST_F(ProjectFileTest, DeeplyNestedComponentsLoad) {
  constexpr int kDepth = 5000;
  ComponentTree tree;
  TreeNode* parent = nullptr;
  for (int level = 0; level < kDepth; ++level) parent = tree.AddChild(parent, "n");
  SaveProject(path_, tree, {});
  ComponentTree loaded;
  MachineSettings settings;
  LoadProject(path_, loaded, settings);
  ASSERT_EQ(loaded.Count(), kDepth);
  EXPECT_EQ(loaded.NodeAt(kDepth - 1)->Level(), kDepth - 1);
}

TEST(ProjectFileName, AppendsTavOnlyWithoutExtension) {
  EXPECT_EQ(ProjectFileName("/tmp/job"), "/tmp/job.tav");
  EXPECT_EQ(ProjectFileName("/tmp/job.txt"), "/tmp/job.txt");
  EXPECT_EQ(ProjectFileName("/tmp.d/job"), "/tmp.d/job.tav");
}

}  // namespace
}  // namespace tav
