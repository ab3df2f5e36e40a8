// The host's two libraries export every function a plug-in's binding looks
// up. In: the built libraries and their deliberately incomplete variants.
// Out: which of the contract's names each one exports.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/quillon/loaded_library.h"

namespace {

using Names = std::vector<std::string>;

// The contract: 4 string-library names, 95 required and 18 optional
// interface-library names, 117 in all.
const Names kStringNames = {"HostStringToAnsi", "AnsiToHostString", "HostStringLength", "HostStringFind"};

const Names kInterfaceRequiredNames = {
    "CreateCommandDescriptor", "AddDynamicCommand", "GetDynamicCommandId", "DestroyCommandDescriptor",
    "GetCommandBarStyle", "GetDynamicCommandDate", "RemoveDynamicCommand", "MenuCreate", "MenuCreatePopup",
    "MenuDestroy", "MenuDisplayPopup", "MenuGetCount", "MenuItemAppend", "MenuItemCheck", "MenuItemDelete",
    "MenuItemEnable", "MenuItemGetId", "MenuItemGetPosition", "MenuItemGetState", "MenuItemGetSubMenu",
    "MenuItemGetText", "MenuItemInsert", "MenuItemRemove", "MenuItemSetText", "MenuTrackPopup",
    "CommandBarGetButtonInfo", "CommandBarSetButtonInfo", "CommandBarShowWindow", "CommandBarSave",
    "SetCommandBarStyle", "DialogEnd", "DialogCreateParam", "DialogCenterWindow", "DialogPositionWindow",
    "DialogDefaultProc", "DialogBoxParam", "DialogIsMessage", "DialogSetPopupMenu", "DialogInsertPopupMenuItem",
    "PropertySheetPreselectProc", "ConvertFile", "ConvertHandle", "DetectBufferFormat", "DetectFileFormat",
    "MacroSystemInit", "MacroSystemUninit", "MacroTokenFromAnsi", "MacroTokenFree", "PersistentVarDiscard",
    "PersistentVarExists", "PersistentVarGetFloat", "PersistentVarGetStringAnsi", "PersistentVarGetStringWide",
    "PersistentVarSetFloat", "PersistentVarSetInteger", "PersistentVarSetStringAnsi", "PersistentVarSetStringWide",
    "ViewerCreate", "ViewerViewFile", "ViewerViewFileEnd", "ViewerDestroy", "PathSplit", "RemoveDirectory",
    "CreateDirectory", "CopyFile", "MoveFile", "DeleteFile", "FileOpen", "FileClose", "FileRead", "FileWrite",
    "FileSeek", "ColorRgbToHls", "ColorHlsToRgb", "MessageBoxEx", "ClipboardTextFormat6", "ClipboardTextFormat7",
    "ClipboardTextFormat8", "ClipboardDocFormat6", "ClipboardDocFormat7", "ClipboardDocFormat8",
    "GetTextClipboardFormatId", "GetDocumentClipboardFormatId", "ClipboardTextFormat9", "ClipboardDocFormat9",
    "AboutBox", "CommandFindByName", "CommandFindById", "CommandRelease", "ParamFindByOrdinal", "CommandGetId",
    "CommandGetName", "CommandGetParamCount", "ParamGetType", "ParamGetFlags"};

const Names kInterfaceOptionalNames = {
    "DocumentToStorage",     "PersistentVarGetInteger", "ClipboardTextFormat10", "ClipboardDocFormat10",
    "ClipboardTextFormat11", "ClipboardDocFormat11",    "ClipboardTextFormat12", "ClipboardDocFormat12",
    "ClipboardTextFormat13", "ClipboardDocFormat13",    "ClipboardTextFormat14", "ClipboardDocFormat14",
    "ClipboardTextFormat15", "ClipboardDocFormat15",    "ClipboardTextFormat16", "ClipboardDocFormat16",
    "ClipboardTextFormat17", "ClipboardDocFormat17"};

Names missingFrom(const quillon_test::LoadedLibrary& library, const Names& names) {
  Names missing;
  for (const std::string& name : names) {
    if (library.symbol(name) == nullptr) missing.push_back(name);
  }
  return missing;
}

Names concat(Names a, const Names& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct LibraryCase {
  const char* name;
  const char* path;
  Names expected;        // the names it should export
  Names expectedMissing;  // of those, the ones it leaves out
};

// Names the row in test listings instead of dumping its bytes.
void PrintTo(const LibraryCase& c, std::ostream* os) { *os << c.name; }

class HostLibraries : public testing::TestWithParam<LibraryCase> {};

TEST_P(HostLibraries, ExportExactlyTheirNames) {
  ASSERT_EQ(kStringNames.size() + kInterfaceRequiredNames.size() + kInterfaceOptionalNames.size(), 117u)
      << "the name list itself lost or gained a name";
  const LibraryCase& c = GetParam();
  const quillon_test::LoadedLibrary library(c.path);
  ASSERT_TRUE(library.loaded()) << c.path;
  EXPECT_EQ(missingFrom(library, c.expected), c.expectedMissing);
}

const Names kInterfaceNames = concat(kInterfaceRequiredNames, kInterfaceOptionalNames);

INSTANTIATE_TEST_SUITE_P(
    Variants, HostLibraries,
    testing::Values(LibraryCase{"Strings", QUILLON_STRING_LIBRARY, kStringNames, {}},
                    LibraryCase{"Interface", QUILLON_INTERFACE_LIBRARY, kInterfaceNames, {}},
                    LibraryCase{"NoOptional", QUILLON_NO_OPTIONAL_LIBRARY, kInterfaceNames, kInterfaceOptionalNames},
                    LibraryCase{"MissingRequired", QUILLON_MISSING_REQUIRED_LIBRARY, kInterfaceNames,
                                concat({"MenuCreate"}, kInterfaceOptionalNames)},
                    LibraryCase{"StringsWithoutFind", QUILLON_MISSING_FIND_LIBRARY, kStringNames, {"HostStringFind"}}),
    [](const testing::TestParamInfo<LibraryCase>& info) { return std::string(info.param.name); });

TEST(HostLibraryExports, LookUpOnlyFunctionsAnswerZero) {
  const quillon_test::LoadedLibrary interface(QUILLON_INTERFACE_LIBRARY);
  for (const char* name : {"MenuCreate", "ClipboardDocFormat17", "FileOpen", "AboutBox"}) {
    SCOPED_TRACE(name);
    const auto fn = interface.function<std::intptr_t (*)(std::intptr_t, std::intptr_t)>(name);
    ASSERT_NE(fn, nullptr);
    EXPECT_EQ(fn(12, 34), 0);
  }
}

}  // namespace
