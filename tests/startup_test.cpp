// The state after start-up, which every game starts from, and the end of the system.

#include "app/Startup.h"

#include <gtest/gtest.h>

#include "World.h"

namespace sorato {
namespace {

using testing::World;

// No game yet: no words, nothing running, nothing ticking however long the window waits.
TEST(Startup, NoGameAndNothingTicking) {
  World w;
  EXPECT_EQ(w.state.st, False);
  EXPECT_EQ(w.state.stZ, False);
  EXPECT_EQ(w.state.peekShown, False);
  for (const std::string& word : w.state.quizWord) EXPECT_EQ(word, "");
  struct TickCount : ModelObserver {
    int ticks = 0;
    void eventRaised(Control&, Event e) override { ticks += e == Event::Timer; }
  } count;
  w.ui.addObserver(&count);
  w.clock.advance(60'000);
  EXPECT_EQ(count.ticks, 0);
  w.ui.removeObserver(&count);
}

TEST(Startup, InstructionsCharacterForCharacter) {
  World w;
  const std::string& text = w.ui.lblRM.Caption;
  EXPECT_TRUE(text.starts_with("年を取ると記憶力が落ちてくると言いますが、テレビの\r\n健康"))
      << text;
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2) {
    lines.push_back(text.substr(from, at - from));
  }
  lines.push_back(text.substr(from));
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[5], "");
  EXPECT_EQ(text.find('\r', text.size() - 2), std::string::npos);  // no break at the end
  EXPECT_EQ(lines[1].substr(lines[1].find("『"), 4), "『 ");       // U+300E and a space
  EXPECT_NE(lines[2].find("\xEF\xBD\xA4 "), std::string::npos);    // halfwidth U+FF64, space
  EXPECT_TRUE(lines[2].ends_with("\xE3\x80\x81"));                 // ideographic U+3001
  EXPECT_NE(lines[3].find("』 "), std::string::npos);
  EXPECT_TRUE(lines[4].starts_with("\xE2\x80\xA5"));        // two-dot leader U+2025
  EXPECT_TRUE(lines[6].starts_with("[あ\xE3\x83\xBB漢]"));  // katakana middle dot U+30FB
  EXPECT_NE(lines[9].find("正\xE3\x83\xBB誤"), std::string::npos);
}

TEST(Startup, EndIsFinalEvenWhileADisplayRuns) {
  World w;
  w.ui.click(w.ui.btnST);  // a display over the empty lists
  w.clock.advance(1800);
  const std::string number = w.ui.lblSTn.Caption;
  EXPECT_TRUE(w.ui.click(w.ui.btnEND));
  EXPECT_TRUE(w.ui.unloaded());
  w.clock.advance(60'000);
  EXPECT_EQ(w.ui.lblSTn.Caption.get(), number);  // no tick after the end
  EXPECT_FALSE(w.ui.click(w.ui.btnST));
}

}  // namespace
}  // namespace sorato
