// SPDX-License-Identifier: GPL-3.0-or-later
// The GRBL protocol without any port: response lines, program preparation,
// character counting and the stop sequence, driven by hand with a fake clock.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "core/Error.h"
#include "machine/GrblCodes.h"
#include "machine/GrblLink.h"
#include "machine/GrblProgram.h"
#include "machine/GrblResponse.h"
#include "support/ErrorOf.h"

namespace tav::machine {
namespace {

using namespace std::chrono_literals;
using Kind = GrblResponse::Kind;

TEST(GrblResponse, ReadsEveryKindOfLine) {
  EXPECT_EQ(ParseGrblResponse("ok").kind, Kind::kOk);
  const GrblResponse error = ParseGrblResponse("error:20");
  EXPECT_EQ(error.kind, Kind::kError);
  EXPECT_EQ(error.code, 20);
  const GrblResponse alarm = ParseGrblResponse("ALARM:2");
  EXPECT_EQ(alarm.kind, Kind::kAlarm);
  EXPECT_EQ(alarm.code, 2);
  EXPECT_EQ(ParseGrblResponse("[MSG:Reset to continue]").text, "Reset to continue");
  EXPECT_EQ(ParseGrblResponse("[GC:G0 G54 G17 G21 G90 G94 M5 M9 T0 F0 S0]").kind, Kind::kFeedback);
  EXPECT_EQ(ParseGrblResponse("Grbl 1.1h ['$' for help]").kind, Kind::kBanner);
  EXPECT_EQ(ParseGrblResponse("error:x").kind, Kind::kOther);
  EXPECT_EQ(ParseGrblResponse("$10=1").kind, Kind::kOther);
}

TEST(GrblResponse, ReadsStatusReports) {
  const StatusReport held =
      ParseGrblResponse(
          "<Hold:0|MPos:10.000,-2.500,3.000,1.000|Bf:15,128|FS:0,0|WCO:1.000,2.000,3.000>")
          .status;
  EXPECT_EQ(held.state, "Hold");
  EXPECT_EQ(held.subState, 0);
  ASSERT_TRUE(held.machine && held.offset);
  EXPECT_DOUBLE_EQ(held.machine->y, -2.5);
  EXPECT_DOUBLE_EQ(held.offset->z, 3);
  EXPECT_EQ(held.plannerBlocksFree, 15);
  EXPECT_EQ(held.receiveBytesFree, 128);
  EXPECT_FALSE(held.work);
  const StatusReport idle = ParseGrblResponse("<Idle|WPos:1.5,2,3|FS:0,0>").status;
  EXPECT_EQ(idle.subState, -1);
  ASSERT_TRUE(idle.work);
  EXPECT_DOUBLE_EQ(idle.work->x, 1.5);
  EXPECT_FALSE(idle.machine);
}

TEST(GrblCodes, EveryCodeHasAGermanText) {
  for (int code = 1; code <= 38; ++code) {
    if (code == 18 || code == 19) continue;
    EXPECT_FALSE(GrblErrorText(code).starts_with("Unbekannter Fehler")) << code;
  }
  for (int code = 1; code <= 9; ++code)
    EXPECT_FALSE(GrblAlarmText(code).starts_with("Unbekannter Alarm")) << code;
  EXPECT_EQ(GrblErrorText(99), "Unbekannter Fehler 99");
  EXPECT_EQ(GrblAlarmText(0), "Unbekannter Alarm 0");
}

TEST(GrblProgram, StripsCommentsAndBlankLinesAndKeepsFileLines) {
  const GrblProgram program =
      GrblProgram::Prepare("(header)\r\n\r\nG21\r\n  G00 X1 (move) Y2 ; fast\r\n;only\r\nM2\r\n");
  ASSERT_EQ(program.lines().size(), 3u);
  EXPECT_EQ(program.lines()[0].command, "G21");
  EXPECT_EQ(program.lines()[0].fileLine, 3u);
  EXPECT_EQ(program.lines()[1].command, "G00 X1  Y2");
  EXPECT_EQ(program.lines()[1].fileLine, 4u);
  EXPECT_EQ(program.lines()[2].fileLine, 6u);
  EXPECT_EQ(program.totalBytes(), 4u + 11u + 3u);
}

class RealTimeByteInProgram : public ::testing::TestWithParam<std::string> {};

// GRBL acts on these wherever they stand, inside comments too.
TEST_P(RealTimeByteInProgram, IsRefusedNamingTheLine) {
  const std::string text = "G21\nG00 X1\n(note " + GetParam() + ")\nM2\n";
  const std::string message = test::ErrorOf([&] { GrblProgram::Prepare(text); });
  EXPECT_TRUE(message.starts_with("Zeile 3: ")) << message;
}

INSTANTIATE_TEST_SUITE_P(Bytes, RealTimeByteInProgram,
                         ::testing::Values("!", "~", "?", "\x18", "\x85", "\xE4"));

TEST(GrblProgram, RefusesALineThatCannotFitTheBuffer) {
  const std::string line(20, 'X');
  EXPECT_NO_THROW(GrblProgram::Prepare(line + "\n", 21));
  const std::string message = test::ErrorOf([&] { GrblProgram::Prepare("G21\n" + line, 20); });
  EXPECT_TRUE(message.starts_with("Zeile 2: ")) << message;
}

// Records what the link reports.
struct Recorder : GrblLinkListener {
  void OnConnected(const std::string&) override { events.push_back("connected"); }
  void OnConnectFailed(const std::string&) override { events.push_back("no controller"); }
  void OnStreamFinished() override { events.push_back("finished"); }
  void OnStreamFailed(const std::string& message) override { events.push_back(message); }
  void OnStopped() override { events.push_back("stopped"); }
  void OnCommandError(const std::string& command, int code) override {
    events.push_back(command + " error " + std::to_string(code));
  }
  void OnStatus(const StatusReport& report) override { last = report; }
  std::vector<std::string> events;
  StatusReport last;
};

class GrblLinkTest : public ::testing::Test {
 protected:
  GrblLinkTest() : link_(recorder_, 32) {
    link_.SetPollInterval(1h);  // no "?" unless a test asks
    link_.Open(now_);
    Feed("\r\nGrbl 1.1h ['$' for help]\r\n");
    link_.TakeOutput();
    recorder_.events.clear();
  }
  void Feed(const std::string& bytes) { link_.Receive(bytes, now_); }
  void Advance(Clock::duration d) {
    now_ += d;
    link_.Tick(now_);
  }

  Clock::time_point now_{std::chrono::seconds(100)};
  Recorder recorder_;
  GrblLink link_;
};

TEST_F(GrblLinkTest, ResetsOnceWhenNoBannerComesThenGivesUp) {
  link_.Open(now_);
  Advance(2400ms);
  EXPECT_EQ(link_.TakeOutput(), "");
  Advance(200ms);
  EXPECT_EQ(link_.TakeOutput(), "\x18");
  Advance(2600ms);
  EXPECT_EQ(recorder_.events.back(), "no controller");
  EXPECT_EQ(link_.state(), GrblLink::State::kClosed);
}

TEST_F(GrblLinkTest, CountsCharactersAgainstTheBuffer) {
  // 32-byte buffer: "G1 X10\n" (7) four times is 28; the fifth waits.
  link_.Start(GrblProgram::Prepare("G1 X10\nG1 X11\nG1 X12\nG1 X13\nG1 X14\nM2\n"), now_);
  EXPECT_EQ(link_.TakeOutput(), "G1 X10\nG1 X11\nG1 X12\nG1 X13\n");
  EXPECT_EQ(link_.bytesInFlight(), 28u);
  Feed("ok\r\n");
  EXPECT_EQ(link_.TakeOutput(), "G1 X14\nM2\n");
  EXPECT_EQ(link_.bytesInFlight(), 31u);
  Feed("<Run|MPos:1,2,3|WCO:1,1,1>\r\nok\r\nok\r\nok\r\nok\r\n");
  EXPECT_TRUE(recorder_.events.empty());
  Feed("ok\r\n");
  EXPECT_EQ(recorder_.events, std::vector<std::string>{"finished"});
  EXPECT_EQ(link_.stats().maxBytesInFlight, 31u);
  EXPECT_EQ(link_.stats().maxLinesInFlight, 5u);
  ASSERT_TRUE(recorder_.last.work);
  EXPECT_DOUBLE_EQ(recorder_.last.work->y, 1);
}

TEST_F(GrblLinkTest, ErrorStopsTheMachineAfterTheHoldCompletes) {
  link_.Start(GrblProgram::Prepare("G21\n(x)\nG5 X1\nG1 X2\n"), now_);
  link_.TakeOutput();
  Feed("ok\r\nerror:20\r\n");
  ASSERT_EQ(recorder_.events.size(), 1u);
  EXPECT_TRUE(recorder_.events[0].starts_with("Zeile 3 \"G5 X1\": Fehler 20: "))
      << recorder_.events[0];
  EXPECT_EQ(link_.TakeOutput(), "!?");
  // The ok for the line after the error changes nothing.
  Feed("ok\r\n<Hold:1|MPos:0,0,0>\r\n");
  Advance(60ms);
  EXPECT_EQ(link_.TakeOutput(), "?");
  Feed("<Hold:0|MPos:0,0,0>\r\n");
  EXPECT_EQ(link_.TakeOutput(), "\x18");
  Feed("\r\nGrbl 1.1h ['$' for help]\r\n");
  EXPECT_EQ(recorder_.events.back(), "stopped");
  EXPECT_EQ(link_.state(), GrblLink::State::kReady);
}

TEST_F(GrblLinkTest, ResetsAfterTwoSecondsWhenTheHoldNeverCompletes) {
  link_.Start(GrblProgram::Prepare("G1 X1\nG1 X2\n"), now_);
  link_.Stop(now_);
  EXPECT_EQ(link_.TakeOutput(), "G1 X1\nG1 X2\n!?");
  Feed("<Hold:1|MPos:0,0,0>\r\n");
  Advance(1900ms);
  EXPECT_EQ(link_.TakeOutput().find('\x18'), std::string::npos);
  Advance(200ms);
  EXPECT_NE(link_.TakeOutput().find('\x18'), std::string::npos);
  EXPECT_TRUE(recorder_.events.empty());  // a stop by the user is no failure
}

TEST_F(GrblLinkTest, AlarmNamesTheOldestUnansweredLine) {
  link_.Start(GrblProgram::Prepare("G21\nG0 X5000\nG0 X1\n"), now_);
  Feed("ok\r\nALARM:2\r\n[MSG:Reset to continue]\r\n<Alarm|MPos:0,0,0>\r\n");
  ASSERT_FALSE(recorder_.events.empty());
  EXPECT_TRUE(recorder_.events[0].starts_with("Zeile 2 \"G0 X5000\": Alarm 2: "))
      << recorder_.events[0];
  EXPECT_EQ(link_.TakeOutput().back(), '\x18');
}

TEST_F(GrblLinkTest, BannerWhileStreamingMeansEverythingInFlightIsGone) {
  link_.Start(GrblProgram::Prepare("G1 X1\nG1 X2\n"), now_);
  Feed("ok\r\n\r\nGrbl 1.1h ['$' for help]\r\n");
  EXPECT_EQ(recorder_.events.back(), "stopped");
  EXPECT_EQ(link_.bytesInFlight(), 0u);
  EXPECT_EQ(link_.state(), GrblLink::State::kReady);
}

TEST_F(GrblLinkTest, JogsInPlainNumbersAndOnlyWhenReady) {
  EXPECT_TRUE(link_.Jog(-0.1, 0, 0, 50));
  EXPECT_EQ(link_.TakeOutput(), "$J=G91 G21 X-0.100 F50.000\n");
  Feed("error:15\r\n");
  EXPECT_EQ(recorder_.events.back(), "$J=G91 G21 X-0.100 F50.000 error 15");
  EXPECT_TRUE(link_.Jog(0, 2, 0, 50));
  link_.TakeOutput();
  link_.CancelJog();
  EXPECT_EQ(link_.TakeOutput(), "\x85");
  // The controller ignored the cancel while the jog sat in its buffer.
  Feed("ok\r\n");
  EXPECT_EQ(link_.TakeOutput(), "\x85");
  link_.Start(GrblProgram::Prepare("G1 X1\n"), now_);
  EXPECT_FALSE(link_.Jog(1, 0, 0, 100));
  EXPECT_FALSE(link_.Unlock());
  EXPECT_THROW(link_.Start(GrblProgram::Prepare("G1 X1\n"), now_), Error);
}

}  // namespace
}  // namespace tav::machine
