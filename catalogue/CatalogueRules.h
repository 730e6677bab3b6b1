#pragma once
// The collection's fixed facts: its categories, where their files lie, how the CD root is named.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

inline constexpr wchar_t kAppTitle[] = L"Quorvel Vol 2";
// Where the panel keeps its drive letter (the per-user settings store).
inline constexpr wchar_t kSettingsApplication[] = L"Quorvel Vol. 2";
inline constexpr wchar_t kSettingsSection[] = L"General";
inline constexpr wchar_t kDriveSetting[] = L"DriveCD";
inline constexpr wchar_t kDefaultDrive[] = L"D";

struct Category {
  const wchar_t* shown;   // the text of the category list
  const wchar_t* folder;  // the list file's name and the folder on the CD
};

inline constexpr size_t kCategoryCount = 8;
const Category& CategoryAt(size_t index);  // index < kCategoryCount

// The folder of category `index`, or `current` when the index is outside the table.
std::wstring CategoryFolderFor(size_t index, const std::wstring& current);

// "Accion.LST": the list file's name, beside the program.
std::wstring ListFileName(const std::wstring& categoryFolder);

// The CD root named by a stored drive setting: letter, ":", "\QVOL2\". The letter keeps its
// case. A value that is not one single letter (empty, "E:", a path) names no drive, and the
// default drive is used instead of building a path without one.
std::wstring CDRootFromDrive(std::wstring_view stored);

// The title's folder: the command path before its first backslash ("" when there is none).
std::wstring GameFolderOf(const std::wstring& command);

// CDRoot + category folder + "\" + title folder + "\Nodt.txt".
std::wstring DescriptionPath(const std::wstring& cdRoot, const std::wstring& categoryFolder,
                             const std::wstring& gameFolder);

// The title's folder on the CD: CDRoot + category folder + "\" + title folder.
std::wstring TitleFolderPath(const std::wstring& cdRoot, const std::wstring& categoryFolder,
                             const std::wstring& gameFolder);
// The command that starts the title: CDRoot + category folder + "\" + command path, whole (a
// command path may carry arguments after a space).
std::wstring TitleCommandLine(const std::wstring& cdRoot, const std::wstring& categoryFolder,
                              const std::wstring& gameCommand);
// The run button's failure: "El siguiente error ha ocurrido:", CR LF, then the system's words
// for the cause.
std::wstring RunFailureText(const std::wstring& cause);

// Where the copy window first proposes to copy a title: "C:\\QVOL2\\" + title folder + "\\".
std::wstring DefaultCopyDestination(const std::wstring& gameFolder);
// The folders along `path` that the copy makes sure of, shortest first: every prefix ending
// before a backslash, the text before the first backslash (the drive) excepted; a path without
// a trailing backslash counts as having one. "C:\\A\\B" gives "C:\\A", "C:\\A\\B".
std::vector<std::wstring> FolderChain(const std::wstring& path);
// The copy's failure: names the destination, then the system's words for the cause.
std::wstring CopyFailureText(const std::wstring& destination, const std::wstring& cause);

// "No se encuentra el archivo 'Accion.LST'.": a category's list file is missing.
std::wstring MissingListText(const std::wstring& categoryFolder);

// The drive dialog's texts.
std::wstring DriveInfoText();
std::wstring DriveHintText();

}  // namespace catalogue
