#pragma once
class UpdateCatalog;
struct UpdateRun;

// Shows the report dialog modally; the update runs inside it.
void ShowReportDialog(UpdateRun& run, UpdateCatalog& catalog);
