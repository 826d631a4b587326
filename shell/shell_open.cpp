// The home page and the update page, opened through ShellExecuteExW.
#include "shell/shell_open.h"

#include "common/on_demand_api.h"
#include "common/update_address.h"

BOOL OpenWithShell(HWND owner, const wchar_t* address) {
  // The shell may hand an address to a handler that it activates through COM,
  // which needs COM on the calling thread.
  StartComOnce();
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_FLAG_NO_UI;
  info.hwnd = owner;
  info.lpVerb = L"Open";
  info.lpFile = address;
  return OnDemandShellExecuteExW(&info);
}

void OpenHomePage(HWND owner) {
  wchar_t address[kUpdateAddressCapacity] = {};
  if (BuildHomePageAddress(address, kUpdateAddressCapacity) == 0) return;
  OpenWithShell(owner, address);
}

void CheckForUpdates(HWND owner) {
  wchar_t address[kUpdateAddressCapacity] = {};
  if (BuildUpdateAddress(address, kUpdateAddressCapacity) == 0) return;
  OpenWithShell(owner, address);
}
