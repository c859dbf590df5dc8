// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ErrorDisplay.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "UiTestSupport.h"
#include "core/Error.h"
#include "ui/AboutBox.h"
#include "ui/ApplicationTitle.h"

namespace tav::ui {
namespace {

struct FullStopCase {
  const char* message;
  const char* shown;
};

class ErrorDisplayFullStop : public ::testing::TestWithParam<FullStopCase> {};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Messages, ErrorDisplayFullStop, ::testing::Values(
    FullStopCase{"Ung\xFCltiger Index", "Ung\u00fcltiger Index."},
    FullStopCase{"Schon zu Ende.", "Schon zu Ende."},
    FullStopCase{"Achtung!", "Achtung!"},         // "!" is below "."
    FullStopCase{"", ""}));
// clang-format on

TEST_P(ErrorDisplayFullStop, ShowsTheMessageWithTheFullStopRule) {
  test::ErrorCapture errors;
  ErrorDisplay::Run([] { throw tav::Error(GetParam().message); });
  ASSERT_EQ(errors.All().size(), 1u);
  EXPECT_EQ(errors.All()[0].text, QString(GetParam().shown));
  EXPECT_EQ(errors.All()[0].caption, ApplicationTitle());
}

TEST(ErrorDisplayTest, TheCommandsChangesBeforeTheErrorStayAndTheProgramGoesOn) {
  test::ErrorCapture errors;
  int steps = 0;
  ErrorDisplay::Run([&] {
    ++steps;
    throw tav::Error("halt");
  });
  ErrorDisplay::Run([&] { ++steps; });
  ErrorDisplay::Run([] { throw std::runtime_error("other failure"); });
  EXPECT_EQ(steps, 2);
  EXPECT_EQ(errors.Texts(), QStringList({"halt.", "other failure."}));
}

// Nothing a command throws may escape into Qt's event loop.
TEST(ErrorDisplayTest, AnythingElseThrownIsAnUnknownError) {
  test::ErrorCapture errors;
  ErrorDisplay::Run([] { throw 42; });
  ErrorDisplay::Run([] { throw std::bad_alloc(); });
  EXPECT_EQ(errors.Texts(), QStringList({"Unbekannter Fehler.", "Zu wenig Arbeitsspeicher."}));
}

TEST(ErrorDisplayTest, CaptionIsTheTitleOfThisTestProgram) {
  EXPECT_EQ(ApplicationTitle(), "Tav_ui_tests");
}

TEST(AboutBoxTest, TitleCaptionAndOneCreditLineWithVersionAndLicence) {
  QString caption, text;
  AboutBox::SetSinkForTesting([&](const QString& c, const QString& t) {
    caption = c;
    text = t;
  });
  AboutBox::Show(nullptr);
  AboutBox::SetSinkForTesting({});
  EXPECT_EQ(caption, ApplicationTitle());
  EXPECT_TRUE(text.startsWith("Tavoline " TAV_VERSION " "));
  EXPECT_TRUE(text.contains("GPL-3.0-or-later"));
  EXPECT_FALSE(text.contains('\n'));
  EXPECT_FALSE(text.contains("http"));
}

}  // namespace
}  // namespace tav::ui
