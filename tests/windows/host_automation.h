#pragma once
// A test-only automation server over any host::Application and
// host::Dialog: every host object is exposed through IDispatch by member
// name, as the desktop spreadsheet and its dialog expose theirs, and host
// errors come back as DISP_E_EXCEPTION with the host's source, number
// (0x800A0000 | number) and description. Over the embedded workbook it lets
// tavo.dll drive a real workbook by late binding.
#include <windows.h>
#include <oaidl.h>

#include <memory>

#include "host/dialog.h"
#include "host/host.h"

namespace tavo::wintest {

// New objects with one reference; the host objects must outlive them.
IDispatch* NewApplicationAutomation(host::Application& application);
IDispatch* NewDialogAutomation(host::Dialog& dialog);

}  // namespace tavo::wintest
