#include "app/logged_messages_win.h"

#include "app/update_run.h"

LoggedMessages::LoggedMessages(UpdateRun& run) : run_(run) { SetMessageOutlet(this); }

LoggedMessages::~LoggedMessages() { SetMessageOutlet(nullptr); }

int LoggedMessages::Take(const std::string& text, UINT style, bool alreadyLogged) {
  if (!alreadyLogged) {
    // Before an installation is chosen there is no log file: the line then
    // goes to the report alone.
    if (!run_.log.Started())
      run_.log.text += text + "\r\n";
    else
      run_.log.AppendLine(text, true);
  }
  switch (style & MB_TYPEMASK) {
    case MB_OK:
      return IDOK;
    case MB_YESNO:
    case MB_YESNOCANCEL:
      return IDNO;
    default:
      return IDCANCEL;
  }
}
