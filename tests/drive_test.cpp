// sorato-drive's reader and answers, run in-process.

#include <gtest/gtest.h>

#include <sstream>

#include "app/Driver.h"
#include "ui/VirtualClock.h"

namespace sorato {
namespace {

struct DriveResult {
  int status;
  std::string out, err;
};

DriveResult drive(const std::string& script) {
  std::istringstream in(script);
  std::ostringstream out, err;
  Driver driver(out, err);
  const int status = driver.run(in);
  return {status, out.str(), err.str()};
}

TEST(Drive, ReadsStartUpValuesBack) {
  const DriveResult r = drive(
      "  # comments and blank lines are skipped\n"
      "\n"
      "get Form1.Width\n"
      "get   lblKng.Left  \n"
      "get lbl1.Caption\n"
      "get lbl2.Visible\n"
      "get lbl2Z.ForeColor\n"
      "get btnST.Caption\n"
      "get lbl2.FontSize\n"
      "get Timer2.Interval\n"
      "get st\n"
      "get m3\n"
      "get bankWord(0)\n"
      "get time\n"
      "get randomCalls\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, "9500\n10\n\"\"\nfalse\n&H00C0C0C0\n\"始\"\n15.75\n0\nfalse\n0\n\"\"\n0\n0\n");
}

TEST(Drive, PrintsTextsAsJsonLiterals) {
  const DriveResult r =
      drive("get lblRM.Caption\nraise lblKng MouseDown 1 1 0 0\nget lblD.Caption\n");
  EXPECT_NE(r.out.find("\"年を取ると記憶力が落ちてくると言いますが、テレビの\\r\\n健康"),
            std::string::npos);
  EXPECT_NE(r.out.find("\n\"\\r\\n\\r\\n"), std::string::npos);
}

// Each script fails on its last line: the answer is status 2 and one error line, and
// what was printed before stays.
TEST(Drive, MalformedLinesEndTheRun) {
  struct Row {
    const char* script;
    int line;
  };
  for (const Row& row : {
           Row{"jump btnST\n", 1},
           Row{"get s\nclick\n", 2},
           Row{"click btnST extra\n", 1},
           Row{"click nothing\n", 1},
           Row{"click lbl1\n", 1},
           Row{"click Timer1\n", 1},
           Row{"get lbl1.Interval\n", 1},
           Row{"get lbl1.caption\n", 1},
           Row{"get shownWord(10)\n", 1},
           Row{"get quizWord(-1)\n", 1},
           Row{"get quizWord(x)\n", 1},
           Row{"get nothing(1)\n", 1},
           Row{"get z\n", 1},
           Row{"advance -5\n", 1},
           Row{"advance 1.5\n", 1},
           Row{"advance 99999999999999999999999\n", 1},
           Row{"advance\n", 1},
           Row{"random 1\n", 1},
           Row{"random 0.99999999\n", 1},  // rounds to 1 as a float
           Row{"random -0.1\n", 1},
           Row{"random 0.5 nan\n", 1},
           Row{"random\n", 1},
           Row{"raise btnST Timer\n", 1},
           Row{"raise Option1 Click\n", 1},
           Row{"raise lblKng MouseDown 1 1 0\n", 1},
           Row{"raise btnST Click now\n", 1},
           Row{"mousedown btnST 1 1 0 0\n", 1},
           Row{"mousedown lblKng 1 70000 0 0\n", 1},
           Row{"mousedown lblKng 1 1 a 0\n", 1},
           Row{"mousedown lblKng 1 1 0 1000000000000000000000000000000000000000\n", 1},
           Row{"trace maybe\n", 1},
           Row{"\n# ok\nget s\nget s\nbad\n", 5},
       }) {
    SCOPED_TRACE(row.script);
    const DriveResult r = drive(std::string(row.script) + "get s\n");
    EXPECT_EQ(r.status, 2);
    const std::string prefix = "error: line " + std::to_string(row.line) + ": ";
    EXPECT_TRUE(r.err.starts_with(prefix)) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
    std::string printed;  // what the lines before the bad one printed
    const std::string_view script(row.script);
    for (std::size_t at = 0; (at = script.find("get s\n", at)) != std::string_view::npos; ++at) {
      printed += "0\n";
    }
    EXPECT_EQ(r.out, printed);
  }
}

// What a script may hold that a person cannot see: the byte-order mark of a Windows
// editor is read past; a bad word is named short, with what cannot be seen escaped; a line
// above 1 MiB is refused before it is held whole.
TEST(Drive, UnseenBytesOfAScript) {
  struct Row {
    std::string script;
    int status;
    std::string out, err;
  };
  const std::string big(10'000'000, 'x');
  const std::string longest = "get s" + std::string(Driver::kMaxLine - 5, ' ') + "\r\n";
  for (
      const Row& row : {
          Row{"\xEF\xBB\xBFget s\r\nget k\r\n", 0, "0\n0\n", ""},
          Row{"get s\n\xEF\xBB\xBFget s\n", 2, "0\n",
              "error: line 2: unknown command '\\ufeffget'\n"},
          Row{longest + "get s", 0, "0\n0\n", ""},
          Row{"get s\n" + big + "\nget s\n", 2, "0\n",
              "error: line 2: the line is longer than 1048576 bytes\n"},
          Row{"click " + big.substr(0, 1000) + "\n", 2, "",
              "error: line 1: unknown control '" + big.substr(0, 40) + "…'\n"},
          Row{"click \x1b[2J\x07\n", 2, "", "error: line 1: unknown control '\\u001b[2J\\u0007'\n"},
          Row{"click a\xff\xfe\x80\xc2\x9b\xe2\x80\x8b\xc2\xa0\xed\xa0\x80\xf3\xa0\x80\x81漢\n", 2,
              "",
              "error: line 1: unknown control 'a\\xff\\xfe\\x80\\u009b\\u200b\\u00a0\\xed\\xa0\\x80"
              "\\udb40\\udc01漢'\n"},
          Row{"click " + std::string(39, 'a') + "漢\n", 2, "",
              "error: line 1: unknown control '" + std::string(39, 'a') + "…'\n"},
      }) {
    SCOPED_TRACE(row.script.substr(0, 60));
    const DriveResult r = drive(row.script);
    EXPECT_EQ(r.status, row.status);
    EXPECT_EQ(r.out, row.out);
    EXPECT_EQ(r.err, row.err);
  }
}

// Output that cannot be written ends the run with a message and status 3, never 0.
TEST(Drive, LostOutputIsAnError) {
  struct Full : std::streambuf {
    int overflow(int) override { return traits_type::eof(); }
  } full;
  std::ostream out(&full);
  std::ostringstream err;
  std::istringstream in("get s\nget k\n");
  Driver driver(out, err);
  EXPECT_EQ(driver.run(in), 3);
  EXPECT_TRUE(err.str().starts_with("error: the output could not be written")) << err.str();
}

TEST(Drive, RandomValuesAreRoundedToTheNearestFloat) {
  const DriveResult r = drive(
      "random 0.425 0.425 0.075 .0000000000000000000000000000000000000000000000000001\n"
      "click btn1Jun\nget quizWord(0)\n"
      "get quizWord(1)\nget quizWord(2)\nget randomCalls\nget reseeds\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.out.starts_with("\"そうめん\"\n\"うどん\"\n\"あいろん\"\n")) << r.out;
  EXPECT_TRUE(r.out.ends_with("\n1\n"));
}

TEST(Drive, TraceShowsEventsAndEveryWriteInOrder) {
  const DriveResult r = drive(
      "click Option4\n"
      "trace on\n"
      "click Option2\n"
      "click Option2\n"
      "click btnST\n"
      "advance 1199\n"
      "advance 1\n"
      "trace off\n"
      "advance 1200\n");
  EXPECT_EQ(r.out,
            "Option2.Value = true\n"
            "Option1.Value = false\n"
            "@0 btnST.Click\n"
            "lbl1h.Visible = true\n"
            "btn1Jun.Enabled = false\n"
            "Frame2.Enabled = false\n"
            "btnST.Caption = \"止\"\n"
            "Timer1.Enabled = true\n"
            "Timer1.Interval = 1200\n"
            "@1200 Timer1.Timer\n"
            "lbl2.Caption = \"\"\n"
            "lbl1.Caption = \"\"\n"
            "lbl1h.Caption = \"\"\n"
            "lblSTn.Caption = \"1\"\n");
}

TEST(Drive, TheEndOfTheSystemEndsTheRun) {
  const DriveResult r = drive("click btnST\nadvance 600\nclick btnEND\nget s\nbogus\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
  const DriveResult raised = drive("trace on\nraise btnEND Click\nget s\n");
  EXPECT_EQ(raised.status, 0);
  EXPECT_EQ(raised.out, "@0 btnEND.Click\n");
}

TEST(Drive, ClicksFollowTheRulesButRaiseDoesNot) {
  const DriveResult r = drive(
      "click btn1Jun\n"
      "click btnQ\n"  // disabled by the preparation: nothing
      "get lblQn.Caption\n"
      "raise btnQ Click\n"  // the handler runs whatever the button's state
      "get lblQn.Caption\n"
      "mousedown lblKng 1 1 0 0\n"
      "get lblD.Visible\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "\"0\"\n\"1\"\ntrue\n");
}

// The clock has an end; the largest steps reach it after some 92 000 lines, and the line
// that would pass it is an error, not a silent overflow.
TEST(Drive, AnAdvancePastTheClocksEndIsAnError) {
  std::string script = "click btn1Jun\nclick btnST\n";
  const std::int64_t step = 100'000'000'000'000;
  const std::int64_t steps = VirtualClock::kLatest / step;
  for (std::int64_t n = 0; n < steps + 1; ++n) script += "advance 100000000000000\n";
  script += "get time\n";
  const DriveResult r = drive(script);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "error: line " + std::to_string(steps + 3) +
                       ": advance 100000000000000 would carry the clock past its end at " +
                       std::to_string(VirtualClock::kLatest) + " ms (now " +
                       std::to_string(steps * step) + ")\n");
}

}  // namespace
}  // namespace sorato
