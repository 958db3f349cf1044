// The state after start-up, which every game starts from, and the end of the system.

#include "app/Startup.h"

#include <gtest/gtest.h>

#include "World.h"

namespace sorato {
namespace {

using testing::World;

TEST(Startup, ControlsAsTheLoadHandlerLeavesThem) {
  World w;
  auto& ui = w.ui;
  EXPECT_EQ(ui.Form1.Width.get(), 9500.0f);
  EXPECT_EQ(ui.Form1.Height.get(), 7000.0f);
  EXPECT_EQ(ui.Form1.Caption.get(), "ソラト");
  for (Control* hidden : {&ui.frmZnb, &ui.lbl2Z, &ui.lbl1h, &ui.lbl2, &ui.lblA, &ui.lblB, &ui.lblC,
                          &ui.lblD, &ui.lblAn, &ui.lblBn}) {
    EXPECT_FALSE(ui.isShown(*hidden)) << hidden->name();
  }
  for (Control* button :
       {&ui.btn1Jun, &ui.btn2Jun, &ui.btnST, &ui.btnQ, &ui.btnA, &ui.btnEND, &ui.btnY, &ui.btnN}) {
    EXPECT_TRUE(ui.acceptsInput(*button)) << button->name();
  }
  EXPECT_EQ(ui.btnST.Caption.get(), "始");
  EXPECT_EQ(ui.lblSTn.Caption.get(), "0");
  EXPECT_EQ(ui.lblQn.Caption.get(), "0");
  EXPECT_TRUE(ui.lbl1.Visible);
  EXPECT_EQ(ui.lbl1.Caption.get(), "");
  EXPECT_EQ(ui.lbl1h.Caption.get(), "");
  EXPECT_EQ(ui.lblA.Caption.get(), "A");
  EXPECT_EQ(ui.lblD.Caption.get(), "D");
  EXPECT_EQ(ui.lblAn.Caption.get(), "よくできました");
  EXPECT_EQ(ui.lblBn.Caption.get(), "勘違いですね");
  EXPECT_EQ(ui.lblAn.BorderStyle.get(), 0);
  EXPECT_EQ(ui.lblBn.BorderStyle.get(), 0);
  EXPECT_EQ(ui.lblRM.Left.get(), 1500.0f);
  EXPECT_EQ(ui.lblRM.Top.get(), 1600.0f);
  EXPECT_EQ(ui.lblRM.Width.get(), 7500.0f);
  EXPECT_EQ(ui.lblRM.Height.get(), 4000.0f);
  EXPECT_TRUE(ui.isShown(ui.lblRM));
  EXPECT_EQ(ui.lblKng.Left.get(), 10.0f);
  EXPECT_EQ(ui.lblKng.Top.get(), 7080.0f);
  EXPECT_EQ(ui.lblKng.Width.get(), 120.0f);
  EXPECT_EQ(ui.lblKng.Height.get(), 120.0f);
  EXPECT_EQ(ui.lblKng.ForeColor.get(), Colour{0x00FFC0C0});
  EXPECT_EQ(ui.lblKng.BackStyle.get(), 0);
  EXPECT_EQ(ui.lblKng.BorderStyle.get(), 0);
  EXPECT_GT(ui.lblKng.Top.get(), ui.Form1.Height.get());  // below even the outer edge
  EXPECT_FALSE(ui.Timer1.Enabled);
  EXPECT_EQ(ui.Timer1.Interval.get(), 1000);
  EXPECT_TRUE(ui.Timer2.Enabled);
  EXPECT_EQ(ui.Timer2.Interval.get(), 0);
  EXPECT_EQ(w.state.st, False);
  EXPECT_EQ(w.state.stZ, False);
  EXPECT_EQ(w.state.peekShown, False);
  for (const std::string& word : w.state.quizWord) EXPECT_EQ(word, "");
}

TEST(Startup, InstructionsCharacterForCharacter) {
  World w;
  const std::string& text = w.ui.lblRM.Caption;
  EXPECT_EQ(text, kInstructions);
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
