#include "discovery/version_choice_dialog_win.h"

#include "discovery/version_choice.h"
#include "platform/ui_win.h"
#include "resources/dialog_ids.h"
#include "resources/message_ids.h"

VersionChoiceDialog::VersionChoiceDialog() : ModalDialog(IDD_VERSION_CHOICE) {}

VersionChoiceDialog::~VersionChoiceDialog() {
  // The list shares the image list (LVS_SHAREIMAGELISTS): it is ours to free.
  if (images_ != nullptr) ImageList_Destroy(images_);
}

bool VersionChoiceDialog::OnInitDialog() {
  list_ = Item(IDC_VERSION_LIST);
  images_ = ImageList_Create(16, 16, ILC_MASK | ILC_COLOR24, 2, 2);
  if (HBITMAP marks = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_ROW_MARKS))) {
    ImageList_AddMasked(images_, marks, RGB(255, 255, 255));
    DeleteObject(marks);
  }
  ListView_SetImageList(list_, images_, LVSIL_SMALL);
  FillList();
  return true;
}

bool VersionChoiceDialog::FillList() {
  if (entries_ == nullptr || entries_->empty()) return false;
  ListView_DeleteAllItems(list_);
  std::vector<std::string> rows = VersionChoiceRows(*entries_, LoadMessage);
  for (size_t i = 0; i < rows.size(); ++i) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = int(i);
    item.pszText = const_cast<char*>(rows[i].c_str());
    item.iImage = i == 0 ? kMarkedImage : kUnmarkedImage;
    SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
  chosenRow_ = 0;
  return true;
}

void VersionChoiceDialog::SetRowImage(int row, int image) {
  LVITEMA item{};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  item.iImage = image;
  SendMessageA(list_, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void VersionChoiceDialog::ChooseSelectedRow() {
  SetFocus(list_);
  if (ListView_GetItemCount(list_) == 0) return;
  std::vector<int> selected;
  for (int row = ListView_GetNextItem(list_, -1, LVNI_SELECTED); row >= 0;
       row = ListView_GetNextItem(list_, row, LVNI_SELECTED)) {
    selected.push_back(row);
  }
  int row = RowToMark(selected, chosenRow_);
  if (row < 0) return;
  SetRowImage(row, kMarkedImage);
  SetRowImage(chosenRow_, kUnmarkedImage);
  chosenRow_ = uint16_t(row);
}

bool VersionChoiceDialog::OnNotify(const NMHDR& header, LRESULT& result) {
  if (header.idFrom != IDC_VERSION_LIST) return false;
  if (header.code == NM_CLICK) {
    ChooseSelectedRow();
  } else if (header.code == LVN_KEYDOWN) {
    if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_SPACE) ChooseSelectedRow();
  } else {
    return false;
  }
  result = 0;
  return true;
}

void VersionChoiceDialog::OnCancel() {
  if (ShowMessageBox(LoadMessage(kMsgQuitUnfinished), kMsgTitleNotice, MB_YESNO) != IDNO) EndDialog(IDCANCEL);
}
