#include "settings/frm_co_infor.h"

#include "common/messages.h"
#include "common/record_file.h"
#include "settings/company_record.h"

namespace vx {

FrmCoInfor::FrmCoInfor(AppContext& context) : WindowModel(kName), ctx_(context) {
  caption = LoadMessage(493);
  const int labels[5] = {308, 203, 335, 256, 409};
  for (int i = 0; i < 5; ++i) {
    Label1[static_cast<size_t>(i)] = &controls_.add("Label1", ControlKind::Label, i);
    Label1[static_cast<size_t>(i)]->text = LoadMessage(labels[i]);
    Text1[static_cast<size_t>(i)] = &controls_.add("Text1", ControlKind::TextBox, i);
  }
  Command1[0] = &controls_.add("Command1", ControlKind::Button, 0);
  Command1[0]->text = LoadMessage(352);
  Command1[0]->clicked = [this] { save(); };
  Command1[1] = &controls_.add("Command1", ControlKind::Button, 1);
  Command1[1]->text = LoadMessage(253);
  Command1[1]->clicked = [this] { ctx_.windows.closeWindow(kName); };

  auto record = ReadCompanyRecord(ctx_.dataDir);
  if (!record) {
    ctx_.host.message(std::string(kCompanyFile) + "已损坏，无法读取。", Icon::Exclamation, Buttons::Ok, 0);
    record.emplace();
  }
  // The padding of the record is the file's business: the fields show the
  // texts, so that what the person adds goes behind the text.
  Text1[0]->text = trimField(record->CompanyName);
  Text1[1]->text = trimField(record->Address);
  Text1[2]->text = trimField(record->Telephone);
  Text1[3]->text = trimField(record->Fax);
  Text1[4]->text = trimField(record->Postcode);
}

void FrmCoInfor::save() {
  CompanyRecord r{Text1[0]->text, Text1[1]->text, Text1[2]->text, Text1[3]->text, Text1[4]->text};
  if (!WriteCompanyRecord(ctx_.dataDir, r)) {
    ctx_.host.message(std::string(kCompanyFile) + "无法写入，数据没有保存。", Icon::Exclamation, Buttons::Ok, 0);
    return;
  }
  ShowMessage(ctx_.host, 439);
}

}  // namespace vx
