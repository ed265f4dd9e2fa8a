#pragma once
// The maker's support e-mail address, shown in the messages that ask the user
// to report a damaged package or a failed update.
#define SKAL_SUPPORT_ADDRESS "update-support@norvance.example"
