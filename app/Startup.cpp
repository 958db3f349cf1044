#include "Startup.h"

namespace sorato {

const std::string_view kInstructions =
    "年を取ると記憶力が落ちてくると言いますが、テレビの\r\n"
    "健康番組などでは、『 頭の中の整理整頓が段取り悪く\r\n"
    "なってくるのであって､ 覚えられないのではなく、\r\n"
    "思い出せないだけです。』 とも言ってます。\r\n"
    "‥で、その説を信じてチョッと作ってみました。\r\n"
    "\r\n"
    "[あ・漢]を選択してから[順に出す]か[全部出す]をクリック。\r\n"
    "次に、[早・遅]を選択して、[始]をクリックします。\r\n"
    "止まったら、[問]をクリックして[はい][いいえ]で答えます。\r\n"
    "終わったら、[答]をクリックすると、正・誤が出ます。";

void Form1_Load(ControlModel& ui, GameState& g) {
  ui.Form1.Width = 9500;
  ui.Form1.Height = 7000;
  ui.frmZnb.Visible = false;
  ui.lblA.Visible = false;
  ui.lblAn.Visible = false;
  ui.lblAn.BorderStyle = 0;
  ui.lblB.Visible = false;
  ui.lblBn.Visible = false;
  ui.lblBn.BorderStyle = 0;
  ui.lbl1.Caption = "";
  ui.lbl1h.Caption = "";
  ui.lbl1h.Visible = false;
  ui.lblC.Visible = false;
  ui.lblD.Visible = false;
  ui.lblKng.ForeColor = Colour{0x00FFC0C0};
  ui.lblKng.Left = 10;
  ui.lblKng.Height = 120;
  ui.lblKng.Width = 120;
  ui.lblKng.BorderStyle = 0;
  ui.lblKng.BackStyle = 0;
  g.st = False;
  g.stZ = False;
  ui.lblRM.Top = 1600;
  ui.lblRM.Left = 1500;
  ui.lblRM.Width = 7500;
  ui.lblRM.Height = 4000;
  ui.lblRM.Caption = std::string(kInstructions);
}

void btnEND_Click(ControlModel& ui) {
  ui.unload();
}

}  // namespace sorato
