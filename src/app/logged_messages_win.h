#pragma once
// The message outlet of an unattended run: what a message box would show
// becomes a line of the run's log, and the answer is the cautious one (OK
// alone, else No or Cancel). Set for the outlet's lifetime.
#include "platform/ui_win.h"

struct UpdateRun;

class LoggedMessages : public MessageOutlet {
 public:
  explicit LoggedMessages(UpdateRun& run);
  ~LoggedMessages() override;
  LoggedMessages(const LoggedMessages&) = delete;
  LoggedMessages& operator=(const LoggedMessages&) = delete;

  int Take(const std::string& text, UINT style, bool alreadyLogged) override;

 private:
  UpdateRun& run_;
};
