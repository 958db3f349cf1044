// msi-finish.exe MSI: writes into the MSI made by wixl what wixl 0.101 cannot, with
// Windows Installer's own API (under wine at build time).  wixl writes every text that
// is not ASCII as empty (the product's name and publisher, the Start menu entry's name),
// so the package is made with ASCII stand-ins and this sets the real ones, after the
// database's code page (Japanese, 932); and it cannot store a custom action of its own,
// so this adds the one (sorato-msi.dll, msi_actions.cpp) that removes the installing
// person's own installation by the per-user installer (sorato-setup.exe), which the
// package replaces.  Exits non-zero on any failure.

#include <windows.h>
// (windows.h first: msi.h builds on it)
#include <msi.h>
#include <msiquery.h>

#include <cstdio>
#include <initializer_list>
#include <string>

namespace {

bool check(UINT r, const char* what) {
  if (r != ERROR_SUCCESS) std::fprintf(stderr, "msi-finish: %s failed (%u)\n", what, r);
  return r == ERROR_SUCCESS;
}

bool run(MSIHANDLE db, const wchar_t* sql, std::initializer_list<const wchar_t*> values) {
  MSIHANDLE view = 0;
  if (!check(MsiDatabaseOpenViewW(db, sql, &view), "a query")) return false;
  MSIHANDLE rec = MsiCreateRecord(static_cast<UINT>(values.size()));
  UINT field = 0;
  for (const wchar_t* value : values) MsiRecordSetStringW(rec, ++field, value);
  const bool ok = check(MsiViewExecute(view, rec), "an update");
  MsiCloseHandle(rec);
  MsiViewClose(view);
  MsiCloseHandle(view);
  return ok;
}

bool insertStream(MSIHANDLE db, const wchar_t* sql, const wchar_t* name, const wchar_t* file) {
  MSIHANDLE view = 0;
  if (!check(MsiDatabaseOpenViewW(db, sql, &view), "a query")) return false;
  MSIHANDLE rec = MsiCreateRecord(2);
  MsiRecordSetStringW(rec, 1, name);
  bool ok = check(MsiRecordSetStreamW(rec, 2, file), "reading the custom action's DLL");
  ok = ok && check(MsiViewExecute(view, rec), "storing the custom action's DLL");
  MsiCloseHandle(rec);
  MsiViewClose(view);
  MsiCloseHandle(view);
  return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: msi-finish MSI ACTIONS-DLL\n");
    return 64;
  }
  MSIHANDLE db = 0;
  if (!check(MsiOpenDatabaseW(argv[1], MSIDBOPEN_TRANSACT, &db), "opening the package")) return 1;
  // The code page, as Windows Installer sets one: an imported _ForceCodepage table.
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring file = std::wstring(folder) + L"codepage.idt";
  if (FILE* f = _wfopen(file.c_str(), L"wb")) {
    std::fputs("\r\n\r\n932\t_ForceCodepage\r\n", f);
    std::fclose(f);
  }
  bool ok = check(MsiDatabaseImportW(db, folder, L"codepage.idt"), "setting the code page");
  DeleteFileW(file.c_str());
  const wchar_t* name = L"\u30bd\u30e9\u30c8";                  // ソラト
  const wchar_t* publisher = L"\u30bd\u30e9\u30c8 developers";  // ソラト developers
  const wchar_t* property = L"UPDATE `Property` SET `Value` = ? WHERE `Property` = ?";
  ok = ok && run(db, property, {name, L"ProductName"});
  ok = ok && run(db, property, {publisher, L"Manufacturer"});
  ok = ok && run(db, L"UPDATE `Shortcut` SET `Name` = ? WHERE `Shortcut` = ?",
                 {L"Sorato|\u30bd\u30e9\u30c8", L"SoratoMenu"});
  // The custom action that removes the per-user copy (type 1: a function of a DLL stored
  // in the package), run before the package installs anything.
  if (MsiDatabaseIsTablePersistentW(db, L"Binary") != MSICONDITION_TRUE) {
    ok = ok && run(db,
                   L"CREATE TABLE `Binary` (`Name` CHAR(72) NOT NULL, `Data` OBJECT NOT NULL "
                   L"PRIMARY KEY `Name`)",
                   {});
  }
  ok = ok && insertStream(db, L"INSERT INTO `Binary` (`Name`, `Data`) VALUES (?, ?)",
                          L"SoratoActions", argv[2]);
  ok = ok && run(db,
                 L"INSERT INTO `CustomAction` (`Action`, `Type`, `Source`, `Target`) "
                 L"VALUES (?, 1, ?, ?)",
                 {L"RemovePerUser", L"SoratoActions", L"RemovePerUser"});
  // (wixl puts it after InstallFinalize, whatever the source says: right after
  // InstallInitialize, before anything is installed.  Replaced, not updated: wine's
  // Windows Installer does not return from an update of a sequence number.)
  ok =
      ok && run(db, L"DELETE FROM `InstallExecuteSequence` WHERE `Action` = ?", {L"RemovePerUser"});
  ok = ok && run(db,
                 L"INSERT INTO `InstallExecuteSequence` (`Action`, `Condition`, `Sequence`) "
                 L"VALUES (?, ?, 1501)",
                 {L"RemovePerUser", L"PERUSER AND NOT REMOVE"});
  ok = ok && check(MsiDatabaseCommit(db), "saving the package");
  MsiCloseHandle(db);
  return ok ? 0 : 1;
}
