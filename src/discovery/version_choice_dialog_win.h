#pragma once
// The choice among several usable installations: a list whose marked row
// (the second row picture) is the one to update.
#include <cstdint>
#include <vector>

#include "discovery/installed_product.h"
#include "platform/dialog_win.h"

class VersionChoiceDialog : public ModalDialog {
 public:
  VersionChoiceDialog();
  ~VersionChoiceDialog() override;

  // The whole scan, usable and unusable entries; it must outlive the dialog.
  void SetInstallations(const std::vector<InstalledProduct>& entries) { entries_ = &entries; }
  // After OK: the marked row's position among the usable entries.
  uint16_t ChosenRow() const { return chosenRow_; }

 protected:
  bool OnInitDialog() override;
  void OnCancel() override;
  bool OnNotify(const NMHDR& header, LRESULT& result) override;

 private:
  bool FillList();
  void ChooseSelectedRow();
  void SetRowImage(int row, int image);

  uint16_t chosenRow_ = 0;
  HWND list_ = nullptr;
  const std::vector<InstalledProduct>* entries_ = nullptr;
  HIMAGELIST images_ = nullptr;
};
