// CliCancel: the cancel flag of kvr-decrypt. Ctrl+C (CliSystem.h installs the handler) only
// raises it; the request running on the main thread sees it in its next progress answer and
// stops cleanly. The flag stays raised, so the files after the cancelled one are skipped.
#pragma once

// Safe to call from a signal handler or the system's console control thread.
void RaiseCliCancel();
bool CliCancelRequested();
// Lowers the flag again; for a host that runs several command lines in one process.
void CliClearCancel();
