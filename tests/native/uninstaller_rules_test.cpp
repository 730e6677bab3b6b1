#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/Utf8Text.h"
#include "uninstaller/PathRules.h"
#include "uninstaller/ProtectedFolders.h"
#include "uninstaller/UninstallReport.h"
#include "uninstaller/UninstallTargets.h"
#include "uninstaller/UninstallTexts.h"

namespace {

using tests::FromUtf8;
using uninstaller::FolderVerdict;

const char* Name(FolderVerdict v) {
  switch (v) {
    case FolderVerdict::Allowed: return "Allowed";
    case FolderVerdict::Empty: return "Empty";
    case FolderVerdict::NotLocalFolder: return "NotLocalFolder";
    case FolderVerdict::DriveRoot: return "DriveRoot";
    case FolderVerdict::ListedFolder: return "ListedFolder";
    case FolderVerdict::SystemFolder: return "SystemFolder";
    case FolderVerdict::HoldsSystemFolder: return "HoldsSystemFolder";
    case FolderVerdict::InsideSystemTree: return "InsideSystemTree";
    case FolderVerdict::BadName: return "BadName";
  }
  return "?";
}

struct Case {
  const char* path;  // UTF-8
  FolderVerdict expected;
};

void ExpectVerdicts(const uninstaller::ProtectedFolders& folders, const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    EXPECT_STREQ(Name(folders.Check(FromUtf8(c.path))), Name(c.expected)) << "path: " << c.path;
  }
}

// A machine as the system would describe it: Windows in D:\WinNT, a Spanish user profile.
uninstaller::ProtectedFolders SampleMachine() {
  uninstaller::ProtectedFolders folders;
  folders.AddTree(L"D:\\WinNT");
  folders.AddFolder(L"C:\\Program Files");
  folders.AddFolder(L"C:\\Program Files (x86)\\");
  folders.AddFolder(FromUtf8("C:\\Usuarios\\José"));
  folders.AddFolder(FromUtf8("C:\\Usuarios\\José\\Documentos"));
  folders.AddFolder(FromUtf8("C:\\Usuarios\\José\\Menú Inicio\\Programas"));
  folders.AddFolder(L"not a path");  // ignored: only local folders can be protected
  return folders;
}

TEST(ProtectedFolders, RefusesTheListedFoldersWhateverTheCaseOrFinalBackslash) {
  ExpectVerdicts(uninstaller::ProtectedFolders(),
                 {
                     {"", FolderVerdict::Empty},
                     {"D:\\", FolderVerdict::DriveRoot},
                     {"c:", FolderVerdict::DriveRoot},
                     {"C:\\Windows\\", FolderVerdict::ListedFolder},
                     {"C:\\Windows", FolderVerdict::ListedFolder},
                     {"C:\\WINDOWS\\", FolderVerdict::ListedFolder},
                     {"c:\\windows", FolderVerdict::ListedFolder},
                     {"E:\\Windows\\System32\\", FolderVerdict::ListedFolder},  // everything inside Windows too
                     {"C:\\Archivos de programa\\", FolderVerdict::ListedFolder},
                     {"C:\\ARCHIVOS DE PROGRAMA", FolderVerdict::ListedFolder},
                     {"F:\\Mis documentos\\", FolderVerdict::ListedFolder},
                     {"C:\\Mis Documentos", FolderVerdict::ListedFolder},
                     {"C:\\Archivos de programa\\Juegos\\", FolderVerdict::Allowed},
                     {"C:\\Mis documentos\\Quorvel V2", FolderVerdict::Allowed},
                     {"C:\\Windows2\\", FolderVerdict::Allowed},
                     {"C:\\Juegos\\Quorvel V2\\", FolderVerdict::Allowed},
                 });
}

TEST(ProtectedFolders, RefusesAnythingButAPlainLocalFolder) {
  ExpectVerdicts(uninstaller::ProtectedFolders(),
                 {
                     {"C", FolderVerdict::NotLocalFolder},
                     {"Juegos\\Quorvel\\", FolderVerdict::NotLocalFolder},
                     {"\\Juegos\\Quorvel\\", FolderVerdict::NotLocalFolder},
                     {"C:Juegos\\", FolderVerdict::NotLocalFolder},
                     {"\\\\servidor\\juegos\\Quorvel\\", FolderVerdict::NotLocalFolder},
                     {"\\\\?\\C:\\Juegos\\", FolderVerdict::NotLocalFolder},
                     {"\\\\.\\C:\\Juegos\\", FolderVerdict::NotLocalFolder},
                     {"C:/Windows/", FolderVerdict::NotLocalFolder},
                     {"C:\\Juegos\\..\\Windows\\", FolderVerdict::NotLocalFolder},
                     {"C:\\Juegos\\..\\", FolderVerdict::NotLocalFolder},
                     {"C:\\.\\Windows\\", FolderVerdict::NotLocalFolder},
                     {"C:\\Windows.\\", FolderVerdict::NotLocalFolder},  // Windows would read C:\Windows
                     {"C:\\Windows \\", FolderVerdict::NotLocalFolder},
                     {"C:\\Juegos\\\\Quorvel\\", FolderVerdict::NotLocalFolder},
                     {"C:\\\\", FolderVerdict::NotLocalFolder},
                     {"C:\\Jue*\\", FolderVerdict::NotLocalFolder},
                     {"C:\\Juegos\\Quorvel V2\\\t", FolderVerdict::NotLocalFolder},
                     {"1:\\Juegos\\", FolderVerdict::NotLocalFolder},
                 });
}

TEST(ProtectedFolders, RefusesSystemFoldersTheFoldersAboveThemAndTheWindowsTree) {
  ExpectVerdicts(SampleMachine(),
                 {
                     {"D:\\WinNT", FolderVerdict::SystemFolder},
                     {"d:\\winnt\\", FolderVerdict::SystemFolder},
                     {"D:\\WINNT\\System32\\", FolderVerdict::InsideSystemTree},
                     {"C:\\Program Files\\", FolderVerdict::SystemFolder},
                     {"c:\\PROGRAM FILES (X86)", FolderVerdict::SystemFolder},
                     {"C:\\Program Files\\Quorvel V2\\", FolderVerdict::Allowed},
                     {"C:\\Usuarios\\", FolderVerdict::HoldsSystemFolder},
                     {"c:\\usuarios\\JOSÉ\\", FolderVerdict::SystemFolder},
                     {"C:\\Usuarios\\José\\Documentos\\Juegos\\", FolderVerdict::Allowed},
                     {"C:\\Usuarios\\José\\Menú Inicio\\", FolderVerdict::HoldsSystemFolder},
                     {"C:\\USUARIOS\\JOSÉ\\MENÚ INICIO\\PROGRAMAS", FolderVerdict::SystemFolder},
                     {"C:\\Usuarios\\Jose\\", FolderVerdict::Allowed},  // another name, not another case
                 });
}

TEST(PathRules, FoldsTheLettersFileNamesUse) {
  EXPECT_EQ(uninstaller::FoldCase(FromUtf8("ñandú ÿ ā ĺ ž ω я ѐ")), FromUtf8("ÑANDÚ Ÿ Ā Ĺ Ž Ω Я Ѐ"));
  EXPECT_EQ(uninstaller::FoldCase(L"\u00F7\u00DF\u0131"), L"\u00F7\u00DF\u0131");  // no simple capitals
  EXPECT_TRUE(uninstaller::SamePath(L"C:\\Juegos\\", L"c:\\JUEGOS"));
  EXPECT_FALSE(uninstaller::SamePath(L"C:\\Juegos", L"C:\\Juego"));
  EXPECT_TRUE(uninstaller::IsBelow(L"C:\\Juegos\\Q", L"c:\\juegos\\"));
  EXPECT_FALSE(uninstaller::IsBelow(L"C:\\JuegosQ", L"C:\\Juegos"));
  EXPECT_FALSE(uninstaller::IsBelow(L"C:\\Juegos\\", L"C:\\Juegos"));
}

TEST(InstallFolderTarget, DeletesTheRecordedFolderItself) {
  const uninstaller::ProtectedFolders none;
  uninstaller::FolderTarget t = uninstaller::InstallFolderTarget(L"C:\\Archivos de programa\\Juegos\\", none);
  EXPECT_STREQ(Name(t.verdict), "Allowed");
  EXPECT_EQ(t.folder, L"C:\\Archivos de programa\\Juegos");
  EXPECT_EQ(t.shown, L"C:\\Archivos de programa\\Juegos\\");
  // Without a final backslash the path still names the folder: no letter of it is dropped.
  t = uninstaller::InstallFolderTarget(L"C:\\Juegos\\Quorvel", none);
  EXPECT_EQ(t.folder, L"C:\\Juegos\\Quorvel");
  t = uninstaller::InstallFolderTarget(L"C:\\Windows\\", none);
  EXPECT_STREQ(Name(t.verdict), "ListedFolder");
  EXPECT_TRUE(t.folder.empty());
  EXPECT_STREQ(Name(uninstaller::InstallFolderTarget(L"", none).verdict), "Empty");
}

TEST(StartMenuGroupTarget, StaysBelowThePrograms) {
  const uninstaller::ProtectedFolders machine = SampleMachine();
  const std::wstring programs = FromUtf8("C:\\Usuarios\\José\\Menú Inicio\\Programas");
  struct GroupCase {
    std::wstring programs;
    const char* group;
    FolderVerdict expected;
    std::wstring folder;
  } cases[] = {
      {programs, "Quorvel V2", FolderVerdict::Allowed, programs + L"\\Quorvel V2"},
      {programs + L"\\", "Quorvel V2\\", FolderVerdict::Allowed, programs + L"\\Quorvel V2"},
      {programs, "Juegos\\Quorvel V2", FolderVerdict::Allowed, programs + L"\\Juegos\\Quorvel V2"},
      {programs, "", FolderVerdict::Empty, L""},
      {L"", "Quorvel V2", FolderVerdict::Empty, L""},
      {programs, "..", FolderVerdict::BadName, L""},
      {programs, "..\\..\\..", FolderVerdict::BadName, L""},
      {programs, "Quorvel\\..\\..", FolderVerdict::BadName, L""},
      {programs, "C:\\Windows", FolderVerdict::BadName, L""},
      {programs, "\\Quorvel", FolderVerdict::BadName, L""},
      {programs, ".", FolderVerdict::BadName, L""},
      {L"Programas", "Quorvel V2", FolderVerdict::NotLocalFolder, L""},
  };
  for (const GroupCase& c : cases) {
    const uninstaller::FolderTarget t = uninstaller::StartMenuGroupTarget(c.programs, FromUtf8(c.group), machine);
    EXPECT_STREQ(Name(t.verdict), Name(c.expected)) << "group: " << c.group;
    EXPECT_EQ(t.folder, c.folder) << "group: " << c.group;
  }
}

TEST(UninstallTexts, AreTheProgramsOwnSpanishTexts) {
  EXPECT_EQ(uninstaller::AppTitle(), FromUtf8("Desinstalador de Quorvel V2"));
  EXPECT_EQ(uninstaller::FirstQuestion(), FromUtf8("¿Está seguro que quiere desinstalar Quorvel V2 de su PC?"));
  EXPECT_EQ(uninstaller::FolderWarning(L"C:\\Juegos\\Quorvel V2\\"),
            FromUtf8("A continuación se borrará todo el contenido dentro de la carpeta: \"C:\\Juegos\\Quorvel V2\\\""));
  EXPECT_EQ(uninstaller::FolderWarning(L""),
            FromUtf8("A continuación se borrará todo el contenido dentro de la carpeta: \"\""));
  EXPECT_EQ(uninstaller::DoneMessage(), FromUtf8("Quorvel V2 ha sido quitado de su PC."));
  EXPECT_EQ(uninstaller::TituloLabel(), FromUtf8("Desinstalador de Quorvel V2"));
  EXPECT_EQ(uninstaller::CerraAppLabel(),
            FromUtf8("Recuerde cerrar el programa de Quorvel V2, antes de desinstalarlo."));
  EXPECT_EQ(uninstaller::ComentLabel(),
            FromUtf8("Presione el botón Desinstalar para quitar de su PC el programa Quorvel V2."));
  EXPECT_EQ(std::wstring(uninstaller::kBulletLabel), FromUtf8("·"));
  EXPECT_EQ(std::wstring(uninstaller::kCancelButton), FromUtf8("&Cancelar"));
  EXPECT_EQ(std::wstring(uninstaller::kUninstallButton), FromUtf8("&Desinstalar"));
}

uninstaller::FolderOutcome Outcome(const std::wstring& shown, FolderVerdict verdict,
                                   std::vector<uninstaller::LeftItem> left = {}) {
  uninstaller::FolderOutcome o;
  o.target.shown = shown;
  o.target.verdict = verdict;
  o.left = std::move(left);
  return o;
}

TEST(FinalMessage, ClaimsSuccessOnlyWhenNothingWasRefusedOrLeft) {
  const uninstaller::FolderOutcome noGroup = Outcome(L"", FolderVerdict::Empty);
  uninstaller::FinalMessage m =
      uninstaller::ComposeFinalMessage(Outcome(L"C:\\Juegos\\Q\\", FolderVerdict::Allowed), noGroup);
  EXPECT_EQ(m.text, FromUtf8("Quorvel V2 ha sido quitado de su PC."));
  EXPECT_FALSE(m.warning);
  // Nothing recorded (not installed, or already removed): nothing was left behind either.
  m = uninstaller::ComposeFinalMessage(Outcome(L"", FolderVerdict::Empty), noGroup);
  EXPECT_FALSE(m.warning);

  m = uninstaller::ComposeFinalMessage(Outcome(L"C:\\WINDOWS", FolderVerdict::ListedFolder),
                                       Outcome(L"..", FolderVerdict::BadName));
  EXPECT_TRUE(m.warning);
  EXPECT_EQ(m.text, FromUtf8("No se pudo quitar por completo Quorvel V2 de su PC.\n\n"
                             "No se borró la carpeta \"C:\\WINDOWS\" porque es una carpeta del sistema.\n\n"
                             "No se borró el grupo \"..\" del menú Inicio porque su nombre no es válido."));

  m = uninstaller::ComposeFinalMessage(Outcome(L"D:\\", FolderVerdict::DriveRoot), noGroup);
  EXPECT_EQ(m.text, FromUtf8("No se pudo quitar por completo Quorvel V2 de su PC.\n\n"
                             "No se borró la carpeta \"D:\\\" porque es la raíz de una unidad."));
}

TEST(FinalMessage, NamesWhatWasLeftAndCountsTheRest) {
  std::vector<uninstaller::LeftItem> left;
  left.push_back({L"C:\\Q\\uso.dat", uninstaller::LeftReason::InUse});
  left.push_back({L"C:\\Q\\enlace", uninstaller::LeftReason::Link});
  left.push_back({L"C:\\Q\\cerrado", uninstaller::LeftReason::AccessDenied});
  for (int i = 0; i < 9; ++i) left.push_back({L"C:\\Q\\f" + std::to_wstring(i), uninstaller::LeftReason::Other});
  const uninstaller::FinalMessage m = uninstaller::ComposeFinalMessage(
      Outcome(L"C:\\Q\\", FolderVerdict::Allowed, left),
      Outcome(L"Quorvel V2", FolderVerdict::Allowed, {{L"C:\\P\\Quorvel V2\\x.lnk", uninstaller::LeftReason::InUse}}));
  EXPECT_TRUE(m.warning);
  EXPECT_EQ(m.text, FromUtf8("No se pudo quitar por completo Quorvel V2 de su PC.\n\n"
                             "No se pudo borrar todo el contenido de la carpeta \"C:\\Q\\\". Quedaron:\n"
                             "    C:\\Q\\uso.dat (en uso)\n"
                             "    C:\\Q\\enlace (enlace)\n"
                             "    C:\\Q\\cerrado (acceso denegado)\n"
                             "    C:\\Q\\f0\n    C:\\Q\\f1\n    C:\\Q\\f2\n    C:\\Q\\f3\n"
                             "    C:\\Q\\f4\n    C:\\Q\\f5\n    C:\\Q\\f6\n"
                             "    ... y 2 más.\n\n"
                             "No se pudo borrar todo el grupo \"Quorvel V2\" del menú Inicio. Quedaron:\n"
                             "    C:\\P\\Quorvel V2\\x.lnk (en uso)\n\n"
                             "Puede borrarlos usted mismo después de cerrar los programas que los estén usando."));
}

TEST(FinalMessage, NamesRegistryKeysLeftAfterTheAdviceOnFiles) {
  const uninstaller::FinalMessage m = uninstaller::ComposeFinalMessage(
      Outcome(L"C:\\Q\\", FolderVerdict::Allowed, {{L"C:\\Q\\uso.dat", uninstaller::LeftReason::InUse}}),
      Outcome(L"", FolderVerdict::Empty), {{L"HKEY_LOCAL_MACHINE\\X", uninstaller::LeftReason::AccessDenied}});
  EXPECT_TRUE(m.warning);
  EXPECT_EQ(m.text, FromUtf8("No se pudo quitar por completo Quorvel V2 de su PC.\n\n"
                             "No se pudo borrar todo el contenido de la carpeta \"C:\\Q\\\". Quedaron:\n"
                             "    C:\\Q\\uso.dat (en uso)\n\n"
                             "Puede borrarlos usted mismo después de cerrar los programas que los estén usando.\n\n"
                             "No se pudieron borrar estas claves del registro:\n"
                             "    HKEY_LOCAL_MACHINE\\X (acceso denegado)"));
}

}  // namespace
