// The host's two libraries export every function a plug-in's binding looks
// up, under exactly these names; the variants lack exactly what they should.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/quillon/loaded_library.h"

namespace {

// The contract: the 4 string-library and 113 interface-library names.
const std::vector<std::string> kStringNames = {"HostStringToAnsi", "AnsiToHostString",
                                               "HostStringLength", "HostStringFind"};

const std::vector<std::string> kInterfaceRequiredNames = {"CreateCommandDescriptor",
                                                          "AddDynamicCommand",
                                                          "GetDynamicCommandId",
                                                          "DestroyCommandDescriptor",
                                                          "GetCommandBarStyle",
                                                          "GetDynamicCommandDate",
                                                          "RemoveDynamicCommand",
                                                          "MenuCreate",
                                                          "MenuCreatePopup",
                                                          "MenuDestroy",
                                                          "MenuDisplayPopup",
                                                          "MenuGetCount",
                                                          "MenuItemAppend",
                                                          "MenuItemCheck",
                                                          "MenuItemDelete",
                                                          "MenuItemEnable",
                                                          "MenuItemGetId",
                                                          "MenuItemGetPosition",
                                                          "MenuItemGetState",
                                                          "MenuItemGetSubMenu",
                                                          "MenuItemGetText",
                                                          "MenuItemInsert",
                                                          "MenuItemRemove",
                                                          "MenuItemSetText",
                                                          "MenuTrackPopup",
                                                          "CommandBarGetButtonInfo",
                                                          "CommandBarSetButtonInfo",
                                                          "CommandBarShowWindow",
                                                          "CommandBarSave",
                                                          "SetCommandBarStyle",
                                                          "DialogEnd",
                                                          "DialogCreateParam",
                                                          "DialogCenterWindow",
                                                          "DialogPositionWindow",
                                                          "DialogDefaultProc",
                                                          "DialogBoxParam",
                                                          "DialogIsMessage",
                                                          "DialogSetPopupMenu",
                                                          "DialogInsertPopupMenuItem",
                                                          "PropertySheetPreselectProc",
                                                          "ConvertFile",
                                                          "ConvertHandle",
                                                          "DetectBufferFormat",
                                                          "DetectFileFormat",
                                                          "MacroSystemInit",
                                                          "MacroSystemUninit",
                                                          "MacroTokenFromAnsi",
                                                          "MacroTokenFree",
                                                          "PersistentVarDiscard",
                                                          "PersistentVarExists",
                                                          "PersistentVarGetFloat",
                                                          "PersistentVarGetStringAnsi",
                                                          "PersistentVarGetStringWide",
                                                          "PersistentVarSetFloat",
                                                          "PersistentVarSetInteger",
                                                          "PersistentVarSetStringAnsi",
                                                          "PersistentVarSetStringWide",
                                                          "ViewerCreate",
                                                          "ViewerViewFile",
                                                          "ViewerViewFileEnd",
                                                          "ViewerDestroy",
                                                          "PathSplit",
                                                          "RemoveDirectory",
                                                          "CreateDirectory",
                                                          "CopyFile",
                                                          "MoveFile",
                                                          "DeleteFile",
                                                          "FileOpen",
                                                          "FileClose",
                                                          "FileRead",
                                                          "FileWrite",
                                                          "FileSeek",
                                                          "ColorRgbToHls",
                                                          "ColorHlsToRgb",
                                                          "MessageBoxEx",
                                                          "ClipboardTextFormat6",
                                                          "ClipboardTextFormat7",
                                                          "ClipboardTextFormat8",
                                                          "ClipboardDocFormat6",
                                                          "ClipboardDocFormat7",
                                                          "ClipboardDocFormat8",
                                                          "GetTextClipboardFormatId",
                                                          "GetDocumentClipboardFormatId",
                                                          "ClipboardTextFormat9",
                                                          "ClipboardDocFormat9",
                                                          "AboutBox",
                                                          "CommandFindByName",
                                                          "CommandFindById",
                                                          "CommandRelease",
                                                          "ParamFindByOrdinal",
                                                          "CommandGetId",
                                                          "CommandGetName",
                                                          "CommandGetParamCount",
                                                          "ParamGetType",
                                                          "ParamGetFlags"};

const std::vector<std::string> kInterfaceOptionalNames = {
    "DocumentToStorage",     "PersistentVarGetInteger", "ClipboardTextFormat10",
    "ClipboardDocFormat10",  "ClipboardTextFormat11",   "ClipboardDocFormat11",
    "ClipboardTextFormat12", "ClipboardDocFormat12",    "ClipboardTextFormat13",
    "ClipboardDocFormat13",  "ClipboardTextFormat14",   "ClipboardDocFormat14",
    "ClipboardTextFormat15", "ClipboardDocFormat15",    "ClipboardTextFormat16",
    "ClipboardDocFormat16",  "ClipboardTextFormat17",   "ClipboardDocFormat17"};

std::vector<std::string> missingFrom(const quillon_test::LoadedLibrary& library,
                                     const std::vector<std::string>& names) {
  std::vector<std::string> missing;
  for (const std::string& name : names) {
    if (library.symbol(name) == nullptr) missing.push_back(name);
  }
  return missing;
}

using Names = std::vector<std::string>;

TEST(HostLibraryExports, FullLibrariesExportEveryName) {
  const quillon_test::LoadedLibrary strings(QUILLON_STRING_LIBRARY);
  const quillon_test::LoadedLibrary interface(QUILLON_INTERFACE_LIBRARY);
  ASSERT_TRUE(strings.loaded());
  ASSERT_TRUE(interface.loaded());
  ASSERT_EQ(kStringNames.size() + kInterfaceRequiredNames.size() + kInterfaceOptionalNames.size(),
            117u)
      << "the name list itself lost or gained a name";
  EXPECT_EQ(missingFrom(strings, kStringNames), Names{});
  EXPECT_EQ(missingFrom(interface, kInterfaceRequiredNames), Names{});
  EXPECT_EQ(missingFrom(interface, kInterfaceOptionalNames), Names{});
}

TEST(HostLibraryExports, LookUpOnlyFunctionsAnswerZero) {
  const quillon_test::LoadedLibrary interface(QUILLON_INTERFACE_LIBRARY);
  ASSERT_TRUE(interface.loaded());
  for (const char* name : {"MenuCreate", "ClipboardDocFormat17", "FileOpen", "AboutBox"}) {
    SCOPED_TRACE(name);
    const auto fn = interface.function<std::intptr_t (*)(std::intptr_t, std::intptr_t)>(name);
    ASSERT_NE(fn, nullptr);
    EXPECT_EQ(fn(12, 34), 0);
  }
}

struct VariantCase {
  const char* name;
  const char* path;
  Names expectedMissing;
};

class HostLibraryVariants : public testing::TestWithParam<VariantCase> {};

TEST_P(HostLibraryVariants, LackExactlyTheirLeftOutFunctions) {
  const VariantCase& c = GetParam();
  const quillon_test::LoadedLibrary library(c.path);
  ASSERT_TRUE(library.loaded()) << c.path;
  const bool isStringLibrary = library.symbol("AnsiToHostString") != nullptr;
  Names all = isStringLibrary ? kStringNames : kInterfaceRequiredNames;
  if (!isStringLibrary) {
    all.insert(all.end(), kInterfaceOptionalNames.begin(), kInterfaceOptionalNames.end());
  }
  EXPECT_EQ(missingFrom(library, all), c.expectedMissing);
}

Names optionalAnd(Names extra) {
  Names names = extra;
  names.insert(names.end(), kInterfaceOptionalNames.begin(), kInterfaceOptionalNames.end());
  return names;
}

INSTANTIATE_TEST_SUITE_P(
    Variants, HostLibraryVariants,
    testing::Values(VariantCase{"NoOptional", QUILLON_NO_OPTIONAL_LIBRARY, optionalAnd({})},
                    VariantCase{"MissingRequired", QUILLON_MISSING_REQUIRED_LIBRARY,
                                optionalAnd({"MenuCreate"})},
                    VariantCase{
                        "StringsWithoutFind", QUILLON_MISSING_FIND_LIBRARY, {"HostStringFind"}}),
    [](const testing::TestParamInfo<VariantCase>& info) { return std::string(info.param.name); });

}  // namespace
