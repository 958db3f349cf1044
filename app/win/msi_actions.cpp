// sorato-msi.dll: the package's own custom action, stored in it (the Binary table) by
// msi-finish.exe.  RemovePerUser removes the installing person's own copy of the game,
// installed by the per-user installer, before the package installs anything: it runs that
// copy's uninstaller silently and in place (_?=, so that its status is the true one) and
// writes into the package's log what came of it.  The uninstaller removes that copy whole,
// or, while the game is open there, nothing: the copy then stays whole, with its own
// uninstaller and its entry in Apps, and the package goes on.

#include <windows.h>
// (windows.h first: msi.h builds on it)
#include <msi.h>
#include <msiquery.h>

#include <string>

namespace {

void log(MSIHANDLE install, const std::wstring& text) {
  const MSIHANDLE rec = MsiCreateRecord(0);
  MsiRecordSetStringW(rec, 0, text.c_str());
  MsiProcessMessage(install, INSTALLMESSAGE_INFO, rec);
  MsiCloseHandle(rec);
}

}  // namespace

extern "C" __declspec(dllexport) UINT __stdcall RemovePerUser(MSIHANDLE install) {
  wchar_t buffer[MAX_PATH] = L"";
  DWORD size = MAX_PATH;
  if (MsiGetPropertyW(install, L"PERUSER", buffer, &size) != ERROR_SUCCESS || size == 0) {
    return ERROR_SUCCESS;
  }
  std::wstring folder(buffer, size);
  while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  std::wstring command = L"\"" + folder + L"\\uninstall.exe\" /S _?=" + folder;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    log(install, L"Sorato: the per-user copy in " + folder +
                     L" stays: its uninstaller could not be started (error " +
                     std::to_wstring(GetLastError()) + L").");
    return ERROR_SUCCESS;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 1;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (status == 0) {
    log(install, L"Sorato: the per-user copy in " + folder + L" was removed.");
  } else {
    log(install, L"Sorato: the per-user copy in " + folder +
                     L" stays whole, with its own uninstaller: that uninstaller answered " +
                     std::to_wstring(status) + L" (is the game open there?).");
  }
  return ERROR_SUCCESS;
}
