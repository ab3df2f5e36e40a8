// The host's two libraries export every function a plug-in's binding looks
// up. In: the built libraries and their deliberately incomplete variants.
// Out: which of the contract's names each one exports.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/quillon/fixtures.h"

namespace {

using Names = std::vector<std::string>;

Names split(const std::string& text) {
  std::istringstream in(text);
  Names names;
  for (std::string name; in >> name;) names.push_back(name);
  return names;
}

// The contract: 4 string-library names, 95 required and 18 optional
// interface-library names, 117 in all.
const std::string kStringNames = "HostStringToAnsi AnsiToHostString HostStringLength HostStringFind";

const std::string kInterfaceRequiredNames =
    "CreateCommandDescriptor AddDynamicCommand GetDynamicCommandId DestroyCommandDescriptor GetCommandBarStyle "
    "GetDynamicCommandDate RemoveDynamicCommand MenuCreate MenuCreatePopup MenuDestroy MenuDisplayPopup "
    "MenuGetCount MenuItemAppend MenuItemCheck MenuItemDelete MenuItemEnable MenuItemGetId MenuItemGetPosition "
    "MenuItemGetState MenuItemGetSubMenu MenuItemGetText MenuItemInsert MenuItemRemove MenuItemSetText "
    "MenuTrackPopup CommandBarGetButtonInfo CommandBarSetButtonInfo CommandBarShowWindow CommandBarSave "
    "SetCommandBarStyle DialogEnd DialogCreateParam DialogCenterWindow DialogPositionWindow DialogDefaultProc "
    "DialogBoxParam DialogIsMessage DialogSetPopupMenu DialogInsertPopupMenuItem PropertySheetPreselectProc "
    "ConvertFile ConvertHandle DetectBufferFormat DetectFileFormat MacroSystemInit MacroSystemUninit "
    "MacroTokenFromAnsi MacroTokenFree PersistentVarDiscard PersistentVarExists PersistentVarGetFloat "
    "PersistentVarGetStringAnsi PersistentVarGetStringWide PersistentVarSetFloat PersistentVarSetInteger "
    "PersistentVarSetStringAnsi PersistentVarSetStringWide ViewerCreate ViewerViewFile ViewerViewFileEnd "
    "ViewerDestroy PathSplit RemoveDirectory CreateDirectory CopyFile MoveFile DeleteFile FileOpen FileClose "
    "FileRead FileWrite FileSeek ColorRgbToHls ColorHlsToRgb MessageBoxEx ClipboardTextFormat6 "
    "ClipboardTextFormat7 ClipboardTextFormat8 ClipboardDocFormat6 ClipboardDocFormat7 ClipboardDocFormat8 "
    "GetTextClipboardFormatId GetDocumentClipboardFormatId ClipboardTextFormat9 ClipboardDocFormat9 AboutBox "
    "CommandFindByName CommandFindById CommandRelease ParamFindByOrdinal CommandGetId CommandGetName "
    "CommandGetParamCount ParamGetType ParamGetFlags";

const std::string kInterfaceOptionalNames =
    "DocumentToStorage PersistentVarGetInteger ClipboardTextFormat10 ClipboardDocFormat10 ClipboardTextFormat11 "
    "ClipboardDocFormat11 ClipboardTextFormat12 ClipboardDocFormat12 ClipboardTextFormat13 ClipboardDocFormat13 "
    "ClipboardTextFormat14 ClipboardDocFormat14 ClipboardTextFormat15 ClipboardDocFormat15 ClipboardTextFormat16 "
    "ClipboardDocFormat16 ClipboardTextFormat17 ClipboardDocFormat17";

TEST(HostLibraries, ExportExactlyTheirNames) {
  const std::string interfaceNames = kInterfaceRequiredNames + " " + kInterfaceOptionalNames;
  ASSERT_EQ(split(kStringNames + " " + interfaceNames).size(), 117u) << "the name list itself lost or gained a name";
  // expected: the names it should export; missing: of those, the ones it leaves out.
  const struct { const char* path; std::string expected, missing; } rows[] = {
      {QUILLON_STRING_LIBRARY, kStringNames, ""},
      {QUILLON_INTERFACE_LIBRARY, interfaceNames, ""},
      {QUILLON_NO_OPTIONAL_LIBRARY, interfaceNames, kInterfaceOptionalNames},
      {QUILLON_MISSING_REQUIRED_LIBRARY, interfaceNames, "MenuCreate " + kInterfaceOptionalNames},
      {QUILLON_MISSING_FIND_LIBRARY, kStringNames, "HostStringFind"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path);
    const quillon_test::LoadedLibrary library(row.path);
    ASSERT_TRUE(library.loaded());
    Names missing;
    for (const std::string& name : split(row.expected)) {
      if (library.symbol(name) == nullptr) missing.push_back(name);
    }
    EXPECT_EQ(missing, split(row.missing));
  }
}

}  // namespace
