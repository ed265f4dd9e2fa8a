#pragma once
struct UpdateRun;

// Opens the IPC client and the resident-service client from the runner's
// own folder into the run state. A library that is missing or incomplete
// leaves its client unopened; its components then count as not running.
// The clients close when the run state is destroyed.
void OpenProductClients(UpdateRun& run);
