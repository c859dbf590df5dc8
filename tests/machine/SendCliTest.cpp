// SPDX-License-Identifier: GPL-3.0-or-later
// `tav send` as a separate process against the fake GRBL.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "support/FakeGrbl.h"
#include "support/TempFolder.h"

extern char** environ;

namespace tav {
namespace {

using namespace std::chrono_literals;

const std::string kExample = std::string(TAV_SOURCE_DIR) + "/examples/example-board.csv";

// Starts `tav` with its output in files of `folder`.
class TavProcess {
 public:
  TavProcess(const test::TempFolder& folder, std::vector<std::string> args)
      : out_(folder / "out.txt"), err_(folder / "err.txt") {
    args.insert(args.begin(), TAV_CLI_PATH);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn(&pid_, TAV_CLI_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
  }
  // The exit status, or -1 when it did not exit normally within 30 s.
  int Wait() {
    for (int i = 0; i < 3000; ++i) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_)
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      std::this_thread::sleep_for(10ms);
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    return -1;
  }
  void Interrupt() { kill(pid_, SIGINT); }
  std::string err() const { return test::ReadBytes(err_); }
  std::string out() const { return test::ReadBytes(out_); }

 private:
  std::string out_, err_;
  pid_t pid_ = -1;
};

class TavSend : public ::testing::Test {
 protected:
  std::string Program(const std::string& name, const std::string& text) {
    const std::string path = folder_ / name;
    test::WriteBytes(path, text);
    return path;
  }
  test::TempFolder folder_;
};

TEST_F(TavSend, StreamsTheExampleBoardsGrblProgram) {
  const std::string program = folder_ / "board.nc";
  ASSERT_EQ(
      TavProcess(folder_, {"gcode", "--pnp", kExample, "--set", "Steuerung=GRBL", "-o", program})
          .Wait(),
      0);
  test::FakeGrbl fake;
  TavProcess send(folder_, {"send", program, "--port", fake.device()});
  EXPECT_EQ(send.Wait(), 0) << send.err();
  EXPECT_FALSE(fake.overflowed());
  EXPECT_LE(fake.maxBufferFill(), 128u);
  EXPECT_EQ(fake.linesRead().back(), "M2");
  const std::string err = send.err();
  EXPECT_NE(err.find("(100 %)"), std::string::npos) << err;
  EXPECT_NE(err.find("Gesendet: "), std::string::npos) << err;
  EXPECT_EQ(send.out(), "");
  // The figures for the record.
  std::printf("%s", err.substr(err.find("Gesendet: ")).c_str());
}

TEST_F(TavSend, AnUnsupportedLineStopsTheMachineAndNamesTheLine) {
  test::FakeGrbl fake;
  const std::string program =
      Program("bad.nc", "(x)\r\nG21\r\nG1 X1 F100\r\nG7 X2\r\nG1 X3\r\nM2\r\n");
  TavProcess send(folder_, {"send", program, "--port", fake.device()});
  EXPECT_EQ(send.Wait(), 1);
  const std::string err = send.err();
  EXPECT_NE(err.find("Zeile 4 \"G7 X2\": Fehler 20: Nicht unterst\xC3\xBCtzter G-Code-Befehl.\n"),
            std::string::npos)
      << err;
  EXPECT_NE(err.find("Die Maschine wurde angehalten."), std::string::npos);
  EXPECT_EQ(fake.resets(), 1);
}

TEST_F(TavSend, CtrlCStopsTheMachineAndExits130) {
  test::FakeGrbl::Options options;
  options.blockTime = 50ms;
  test::FakeGrbl fake(options);
  std::string text = "G21\n";
  for (int i = 0; i < 200; ++i) text += "G1 X" + std::to_string(i) + " F500\n";
  TavProcess send(folder_, {"send", Program("long.nc", text), "--port", fake.device()});
  for (int i = 0; i < 500 && fake.linesRead().size() < 10; ++i) std::this_thread::sleep_for(10ms);
  send.Interrupt();
  EXPECT_EQ(send.Wait(), 130) << send.err();
  EXPECT_EQ(fake.realTimeBytes(), "!\x18");
  EXPECT_LT(fake.linesRead().size(), 100u);
}

TEST_F(TavSend, RefusesAProgramWithARealTimeByteBeforeOpeningThePort) {
  const std::string program = Program("rt.nc", "G21\n(Achtung!)\nM2\n");
  TavProcess send(folder_, {"send", program, "--port", folder_ / "no-such-device"});
  EXPECT_EQ(send.Wait(), 1);
  EXPECT_TRUE(send.err().starts_with("Zeile 2: ")) << send.err();
}

TEST_F(TavSend, WrongCallsAreUsageErrors) {
  const std::string program = Program("p.nc", "M2\n");
  const struct {
    std::vector<std::string> args;
    std::string hint;
  } cases[] = {{{"send", program}, "Der Anschluss fehlt"},
               {{"send", "--port", "/dev/null"}, "Das Programm fehlt"},
               {{"send", program, "--port", "/dev/null", "--baud", "schnell"}, "Baudrate"}};
  for (const auto& c : cases) {
    TavProcess send(folder_, c.args);
    EXPECT_EQ(send.Wait(), 2) << c.hint;
    EXPECT_NE(send.err().find(c.hint), std::string::npos) << send.err();
  }
}

}  // namespace
}  // namespace tav
