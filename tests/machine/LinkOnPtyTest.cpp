// SPDX-License-Identifier: GPL-3.0-or-later
// The link and the POSIX serial port against the fake GRBL on a pseudo-terminal.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

#include "core/Error.h"
#include "core/FileAccess.h"
#include "machine/GrblLink.h"
#include "machine/SerialPort.h"
#include "support/ErrorOf.h"
#include "support/FakeGrbl.h"

namespace tav::machine {
namespace {

using namespace std::chrono_literals;

struct Events : GrblLinkListener {
  void OnConnected(const std::string&) override { connected = true; }
  void OnStreamFinished() override { finished = true; }
  void OnStreamFailed(const std::string& message) override { failure = message; }
  void OnStopped() override { stopped = true; }
  bool connected = false, finished = false, stopped = false;
  std::string failure;
};

class LinkOnPty : public ::testing::Test {
 protected:
  void Connect(test::FakeGrbl& fake) {
    port_ = std::make_unique<SerialPort>(fake.device(), 115200);
    link_.Open(Clock::now());
    ASSERT_TRUE(RunUntil([&] { return events_.connected; }, 8s));
  }
  // Moves bytes between port and link until `done` or `limit` passes.
  bool RunUntil(const std::function<bool()>& done, Clock::duration limit) {
    const auto end = Clock::now() + limit;
    while (Clock::now() < end) {
      const std::string bytes = port_->Read(5ms);
      if (!bytes.empty()) link_.Receive(bytes, Clock::now());
      link_.Tick(Clock::now());
      port_->Write(link_.TakeOutput());
      if (done()) return true;
    }
    return false;
  }

  Events events_;
  GrblLink link_{events_};
  std::unique_ptr<SerialPort> port_;
};

TEST_F(LinkOnPty, StreamsTheWholeProgramWithoutOverfillingTheBuffer) {
  test::FakeGrbl fake;
  Connect(fake);
  std::string text;
  for (int i = 0; i < 300; ++i)
    text += "G01 X" + std::to_string(i % 50) + ".25 Y" + std::to_string(i % 7) + " F2000 (c)\r\n";
  text += "M2\r\n";
  GrblProgram program = GrblProgram::Prepare(text);
  const std::size_t lines = program.lines().size();
  link_.Start(std::move(program), Clock::now());
  ASSERT_TRUE(RunUntil([&] { return events_.finished; }, 20s)) << events_.failure;
  EXPECT_FALSE(fake.overflowed());
  EXPECT_LE(fake.maxBufferFill(), 128u);
  EXPECT_EQ(fake.linesRead().size(), lines);
  EXPECT_EQ(fake.linesRead()[0], "G01 X0.25 Y0 F2000");
  EXPECT_GT(link_.stats().averageLines(), 1.0);
  EXPECT_LE(link_.stats().maxBytesInFlight, 128u);
}

TEST_F(LinkOnPty, SoftResetWakesAControllerThatSaysNothing) {
  test::FakeGrbl::Options options;
  options.bannerOnOpen = false;
  test::FakeGrbl fake(options);
  Connect(fake);
  EXPECT_EQ(fake.resets(), 1);
}

TEST_F(LinkOnPty, AnUnsupportedLineStopsTheMachineKeepingItsPosition) {
  test::FakeGrbl::Options options;
  options.blockTime = 20ms;
  test::FakeGrbl fake(options);
  Connect(fake);
  link_.Start(GrblProgram::Prepare("G21\nG1 X10 F100\nG1 X20\nG5 X1\nG1 X30\nG1 X40\nM2\n"),
              Clock::now());
  ASSERT_TRUE(RunUntil([&] { return events_.stopped; }, 8s));
  EXPECT_TRUE(events_.failure.starts_with("Zeile 4 \"G5 X1\": Fehler 20: ")) << events_.failure;
  // Feed hold first, the reset only once held: no ALARM:3, the machine stays usable.
  EXPECT_EQ(fake.realTimeBytes(), "!\x18");
  EXPECT_FALSE(events_.finished);
  EXPECT_TRUE(link_.Jog(1, 0, 0, 100));
  const double x = fake.x();
  EXPECT_TRUE(RunUntil([&] { return fake.x() == x + 1; }, 2s))
      << fake.linesRead().back() << " " << link_.lastStatus().state;
}

TEST_F(LinkOnPty, ASoftLimitLineRaisesAnAlarmAndStopsTheStream) {
  test::FakeGrbl fake;
  Connect(fake);
  link_.Start(GrblProgram::Prepare("G21\nG0 X10\nG0 X5000\nG0 X20\nM2\n"), Clock::now());
  ASSERT_TRUE(RunUntil([&] { return events_.stopped; }, 8s));
  EXPECT_TRUE(events_.failure.starts_with("Zeile 3 \"G0 X5000\": Alarm 2: ")) << events_.failure;
  EXPECT_EQ(fake.resets(), 1);
}

TEST_F(LinkOnPty, PullingThePlugIsAClearError) {
  test::FakeGrbl fake;
  Connect(fake);
  fake.Unplug();
  const std::string message = test::ErrorOf([&] { RunUntil([] { return false; }, 2s); });
  EXPECT_NE(message.find("Verbindung zur Maschine"), std::string::npos) << message;
}

}  // namespace
}  // namespace tav::machine
