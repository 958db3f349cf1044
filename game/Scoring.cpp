#include "Scoring.h"

#include <vector>

#include "Texts.h"

namespace sorato {

namespace {

bool markedCorrect(const std::string& entry) {
  return entry.starts_with(texts::Circle);
}

std::string scoreText(std::string_view verdict, Integer score) {
  return std::string(verdict) + std::to_string(score) + "/10";
}

// The heading, an empty line, and the first ten entries of the list.
template <std::size_t N>
std::string headedList(std::string_view heading, const std::array<std::string, N>& list) {
  std::vector<std::string_view> lines{heading, ""};
  lines.insert(lines.end(), list.begin(), list.begin() + 10);
  return texts::JoinLines(lines);
}

}  // namespace

std::string Scoring::ShownVerdict(Integer an) {
  if (an == 10) return scoreText("すばらしい！ : ", an);
  if (an <= 5) return scoreText("大丈夫ですか？ : ", an);
  return scoreText("よくできました : ", an);
}

std::string Scoring::AbsentVerdict(Integer bn) {
  if (bn == 0) return scoreText("優秀です : ", bn);
  if (bn < 3) return scoreText("勘違いですね : ", bn);
  if (bn < 7) return scoreText("大丈夫ですか？ : ", bn);
  return scoreText("絶望的！ : ", bn);
}

void Scoring::btnA_Click() {
  if (g_.Abtn != True) return;
  ui_.lblA.Visible = true;
  ui_.lblB.Visible = true;
  ui_.lblAn.Visible = true;
  ui_.lblBn.Visible = true;
  g_.An = 0;
  g_.Bn = 0;
  ui_.btn1Jun.Enabled = true;
  ui_.btn2Jun.Enabled = true;
  ui_.btnQ.Enabled = false;
  ui_.btnY.Enabled = false;
  ui_.btnN.Enabled = false;
  for (std::size_t i = 0; i < 10; ++i) {
    std::string& entry = g_.shownWord[i];
    if (!markedCorrect(entry)) entry = std::string(texts::CrossMark) + entry;
    if (markedCorrect(entry)) ++g_.An;
  }
  for (std::size_t i = 0; i < 10; ++i) {
    std::string& entry = g_.absentWord[i];
    if (!markedCorrect(entry)) entry = std::string(texts::CrossMark) + entry;
    if (!markedCorrect(entry)) ++g_.Bn;
  }
  ShowResultLists();
  ui_.lblC.Visible = false;
  ui_.lblAn.Caption = ShownVerdict(g_.An);
  ui_.lblBn.Caption = AbsentVerdict(g_.Bn);
  g_.Abtn = False;
}

void Scoring::ShowResultLists() {
  ui_.lblA.Caption = headedList(texts::ShownHeading, g_.shownWord);
  ui_.lblB.Caption = headedList(texts::AbsentHeading, g_.absentWord);
}

}  // namespace sorato
