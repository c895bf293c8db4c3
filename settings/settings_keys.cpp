#include "settings/settings_keys.h"

#include <stdexcept>

namespace ondrix {
namespace {

using K = SettingKey;
using T = SettingType;
using D = DefaultKind;
using sv = std::string_view;

// Menu items of the keys that one tick mirrors.
#define ONDRIX_ITEM(var, name) constexpr std::array<sv, 1> var = {name};
ONDRIX_ITEM(kShowcaptionbar, "Showcaptionbar1")
ONDRIX_ITEM(kHidetotray, "Hidetotrayicononclose1")
ONDRIX_ITEM(kDisableScaling, "DisableformscalingDPI1")
ONDRIX_ITEM(kShowFilename, "Showfilenameontitlebar1")
ONDRIX_ITEM(kSavePosition, "Savewindowsposition1")
ONDRIX_ITEM(kSaveWidth, "Autosavewindowwidth1")
ONDRIX_ITEM(kSaveStyle, "Autosavewindowsizenormalorminibar1")
ONDRIX_ITEM(kApplyMiniOnly, "Applytominiformonly1")
ONDRIX_ITEM(kAutoPaste, "Autopastechecksumfromclipboard1")
ONDRIX_ITEM(kSaveLastType, "Savedefaultchecksum1")
ONDRIX_ITEM(kEscCloses, "EnableESCkeytocloseapplication1")
ONDRIX_ITEM(kStayOnTop, "Enablestayontop1")
ONDRIX_ITEM(kUppercase, "Showuppercasechecksums1")
ONDRIX_ITEM(kAutocalcType, "Autocalculatewhenchecksumtypechanged1")
ONDRIX_ITEM(kAutocalcDrop, "Autocalculatewhenfiledropped1")
ONDRIX_ITEM(kFlash, "Flashtaskbarwhencalculationcompleted1")
ONDRIX_ITEM(kShellIntegration, "EnableWindowsshellintegration1")
ONDRIX_ITEM(kSnap, "Snaptoedge1")
ONDRIX_ITEM(kBold, "Useboldfont1")
ONDRIX_ITEM(kLogToFile, "Enable1")
ONDRIX_ITEM(kLogFullPath, "Storefullpath1")
ONDRIX_ITEM(kLogAsterix, "Windowsformataddasterixtofilepath1")
ONDRIX_ITEM(kSaveAsterix, "Savetofileasbinaryformataddasterixtofilename1")
ONDRIX_ITEM(kSaveFullPath, "Usefullpathwhensavingcreatingchecksumfile1")
ONDRIX_ITEM(kIniHidden, "Makeinifilehidden1")
ONDRIX_ITEM(kIniSystem, "Makeinifilesystem1")
ONDRIX_ITEM(kHistoryHidden, "MakehistoryfileashiddenH1")
ONDRIX_ITEM(kHistorySystem, "MakehistoryfileassystemS1")
ONDRIX_ITEM(kOldVersion, "Enablewarningifprogramisolderthat2monthsrecommended1")
ONDRIX_ITEM(kTimeElapsed, "Displaytimeelapsedandcalculatestateinbottombaroftheform1")
ONDRIX_ITEM(kCheckForUpdate, "Checkforupdate1")
ONDRIX_ITEM(kColorBackground, "Selectforbackground1")
ONDRIX_ITEM(kColorEdit, "Selectforeditboxes1")
ONDRIX_ITEM(kColorText, "exteditfields1")
ONDRIX_ITEM(kSetFocus, "Setfocuswhelfiledroppedonthisform1")
#undef ONDRIX_ITEM

constexpr std::array<sv, 10> kTransparencyItems = {
    "Disable1", "N101", "N201", "N301", "N401", "N501", "N601", "N701", "N801", "N901"};
constexpr std::array<sv, 13> kDefaultActionItems = {
    "Nocalculate1", "Askforchecksumtypetocalculate1", "MD41", "MD51", "SHA11",
    "SHA2561", "SHA3841", "SHA5121", "RIPEMD1281", "RIPEMD1601",
    "HAVAL2561", "IGER1921", "CRC321"};
constexpr std::array<sv, 6> kPriorityItems = {
    "REALTIMEPRIORITYCLASS1", "HIGHPRIORITYCLASS1", "ABOVENORMALPRIORITYCLASS1",
    "NORMALPRIORITYCLASS1", "BELOWNORMALPRIORITYCLASS1", "IDLEPRIORITYCLASS1"};

constexpr std::span<const sv> kNoItems{};

const std::array<SettingKeyInfo, kSettingKeyCount> kKeys = {{
    {K::Caption_bar_visible, "Caption_bar_visible", T::Integer, D::Text, "1", kShowcaptionbar},
    {K::Hide_to_tray_on_close, "Hide_to_tray_on_close", T::Boolean, D::Text, "0", kHidetotray},
    {K::DisableFormScaling, "DisableFormScaling", T::Boolean, D::Text, "0", kDisableScaling},
    {K::ShowFilenameOnTitleBar, "ShowFilenameOnTitleBar", T::Boolean, D::Text, "1", kShowFilename},
    {K::SavePosition, "SavePosition", T::Boolean, D::Text, "0", kSavePosition},
    {K::SaveWidth, "SaveWidth", T::Boolean, D::Text, "0", kSaveWidth},
    {K::SaveStyle, "SaveStyle", T::Boolean, D::Text, "0", kSaveStyle},
    {K::Width, "Width", T::Integer, D::NormalMinWidth, "", kNoItems},
    {K::Left, "Left", T::Integer, D::CentredLeft, "", kNoItems},
    {K::Top, "Top", T::Integer, D::CentredTop, "", kNoItems},
    {K::Miniform, "Miniform", T::Integer, D::Text, "-1", kNoItems},
    {K::Transparency_value, "Transparency_value", T::Integer, D::Text, "255", kTransparencyItems},
    {K::Transparency_Only_For_Miniform, "Transparency_Only_For_Miniform", T::Integer, D::Text, "1",
     kApplyMiniOnly},
    {K::AutoPasteChecksumFromClipboard, "AutoPasteChecksumFromClipboard", T::Boolean, D::Text, "0",
     kAutoPaste},
    {K::SaveLastChecksumType, "SaveLastChecksumType", T::Boolean, D::Text, "0", kSaveLastType},
    {K::DefaultChecksum, "DefaultChecksum", T::String, D::Text, "MD5", kNoItems},
    {K::EscapeClosesApplication, "EscapeClosesApplication", T::Boolean, D::Text, "0", kEscCloses},
    {K::StayOnTop, "StayOnTop", T::Boolean, D::Text, "1", kStayOnTop},
    {K::ShowUppercaseChecksum, "ShowUppercaseChecksum", T::Boolean, D::Text, "0", kUppercase},
    {K::AutocalculateWhenChecksumTypeChanged, "AutocalculateWhenChecksumTypeChanged", T::Boolean,
     D::Text, "1", kAutocalcType},
    {K::AutocalculateWhenFileDropped, "AutocalculateWhenFileDropped", T::Boolean, D::Text, "1",
     kAutocalcDrop},
    {K::FlashWindowWhenCompleted, "FlashWindowWhenCompleted", T::Boolean, D::Text, "0", kFlash},
    {K::ShellIntegration, "ShellIntegration", T::Boolean, D::Text, "0", kShellIntegration},
    {K::ShellDefaultAction, "ShellDefaultAction", T::String, D::Text, "MD5", kDefaultActionItems},
    {K::SnapToEdge, "SnapToEdge", T::Boolean, D::Text, "1", kSnap},
    {K::UseBoldFont, "UseBoldFont", T::Boolean, D::Text, "0", kBold},
    {K::LogToFile, "LogToFile", T::Boolean, D::Text, "0", kLogToFile},
    {K::SaveFullPathInLogFile, "SaveFullPathInLogFile", T::Boolean, D::Text, "0", kLogFullPath},
    {K::AddAsterixToLogFile, "AddAsterixToLogFile", T::Boolean, D::Text, "1", kLogAsterix},
    {K::AddAsterixWhenSavedToFile, "AddAsterixWhenSavedToFile", T::Boolean, D::Text, "1",
     kSaveAsterix},
    {K::FullPathInSaveToFile, "FullPathInSaveToFile", T::Boolean, D::Text, "0", kSaveFullPath},
    {K::MakeIniFileHidden, "MakeIniFileHidden", T::Boolean, D::Text, "0", kIniHidden},
    {K::MakeIniFileSystem, "MakeIniFileSystem", T::Boolean, D::Text, "0", kIniSystem},
    {K::MakeHistoryFileHidden, "MakeHistoryFileHidden", T::Boolean, D::Text, "0", kHistoryHidden},
    {K::MakeHistoryFileSystem, "MakeHistoryFileSystem", T::Boolean, D::Text, "0", kHistorySystem},
    {K::EnableOldVersionWarning, "EnableOldVersionWarning", T::Boolean, D::Text, "1", kOldVersion},
    {K::DisplayTimeElapsedOnStatusBar, "DisplayTimeElapsedOnStatusBar", T::Boolean, D::Text, "0",
     kTimeElapsed},
    {K::CheckForUpdate, "CheckForUpdate", T::Boolean, D::Text, "1", kCheckForUpdate},
    {K::LastUpdateCheck, "LastUpdateCheck", T::Date, D::Text, "2009-01-01", kNoItems},
    {K::Color_for_background, "Color_for_background", T::Colour, D::Text, "clbtnface",
     kColorBackground},
    {K::Color_for_edit_controls, "Color_for_edit_controls", T::Colour, D::Text, "clwindow",
     kColorEdit},
    {K::Color_for_fonts_in_edit_controls, "Color_for_fonts_in_edit_controls", T::Colour, D::Text,
     "clWindowText", kColorText},
    {K::SetFocusWhenFileDroppedOnForm, "SetFocusWhenFileDroppedOnForm", T::Boolean, D::Text, "0",
     kSetFocus},
    {K::ApplicationThreadLevel, "ApplicationThreadLevel", T::Integer, D::Text, "32",
     kPriorityItems},
    {K::UpdateCount, "UpdateCount", T::Integer, D::None, "", kNoItems},
    {K::Param1, "Param1", T::Integer, D::Text, "1", kNoItems},
    {K::Param2, "Param2", T::Integer, D::Text, "0", kNoItems},
    {K::Context_Menu_Last_Used_Checksum_Type, "Context_Menu_Last_Used_Checksum_Type", T::String,
     D::Text, "MD5", kNoItems},
}};

using G = SettingsGroup;
using A = AfterGroupWrite;

// Keys of each group in writing order; `true` marks a key written only when
// the writer supplies it.
#define ONDRIX_GROUP_KEYS(var, ...) constexpr GroupKey var[] = {__VA_ARGS__};
ONDRIX_GROUP_KEYS(gCaption, {K::Caption_bar_visible, false})
ONDRIX_GROUP_KEYS(gHideToTray, {K::Hide_to_tray_on_close, false})
ONDRIX_GROUP_KEYS(gDisableScaling, {K::DisableFormScaling, false})
ONDRIX_GROUP_KEYS(gShowFilename, {K::ShowFilenameOnTitleBar, false})
ONDRIX_GROUP_KEYS(gSavePosition, {K::SavePosition, false}, {K::Left, true}, {K::Top, true})
ONDRIX_GROUP_KEYS(gSaveWidth, {K::SaveWidth, false}, {K::Width, true})
ONDRIX_GROUP_KEYS(gSaveStyle, {K::SaveStyle, false}, {K::Miniform, true})
ONDRIX_GROUP_KEYS(gTransparency, {K::Transparency_value, false},
                  {K::Transparency_Only_For_Miniform, false})
ONDRIX_GROUP_KEYS(gAutoPaste, {K::AutoPasteChecksumFromClipboard, false})
ONDRIX_GROUP_KEYS(gSaveLastType, {K::SaveLastChecksumType, false}, {K::DefaultChecksum, true})
ONDRIX_GROUP_KEYS(gEscCloses, {K::EscapeClosesApplication, false})
ONDRIX_GROUP_KEYS(gStayOnTop, {K::StayOnTop, false})
ONDRIX_GROUP_KEYS(gUppercase, {K::ShowUppercaseChecksum, false})
ONDRIX_GROUP_KEYS(gAutocalcType, {K::AutocalculateWhenChecksumTypeChanged, false})
ONDRIX_GROUP_KEYS(gAutocalcDrop, {K::AutocalculateWhenFileDropped, false})
ONDRIX_GROUP_KEYS(gFlash, {K::FlashWindowWhenCompleted, false})
ONDRIX_GROUP_KEYS(gShell, {K::ShellDefaultAction, false}, {K::ShellIntegration, false})
ONDRIX_GROUP_KEYS(gSnap, {K::SnapToEdge, false})
ONDRIX_GROUP_KEYS(gBold, {K::UseBoldFont, false})
ONDRIX_GROUP_KEYS(gLog, {K::LogToFile, false}, {K::SaveFullPathInLogFile, false},
                  {K::AddAsterixToLogFile, false})
ONDRIX_GROUP_KEYS(gSaveAsterix, {K::AddAsterixWhenSavedToFile, false})
ONDRIX_GROUP_KEYS(gSaveFullPath, {K::FullPathInSaveToFile, false})
ONDRIX_GROUP_KEYS(gIniAttributes, {K::MakeIniFileHidden, false}, {K::MakeIniFileSystem, false})
ONDRIX_GROUP_KEYS(gHistoryAttributes, {K::MakeHistoryFileHidden, false},
                  {K::MakeHistoryFileSystem, false})
ONDRIX_GROUP_KEYS(gOldVersion, {K::EnableOldVersionWarning, false})
ONDRIX_GROUP_KEYS(gTimeElapsed, {K::DisplayTimeElapsedOnStatusBar, false})
ONDRIX_GROUP_KEYS(gCheckForUpdate, {K::CheckForUpdate, false})
ONDRIX_GROUP_KEYS(gRecordUpdateCheck, {K::CheckForUpdate, false}, {K::LastUpdateCheck, false},
                  {K::UpdateCount, true})
ONDRIX_GROUP_KEYS(gColorBackground, {K::Color_for_background, false})
ONDRIX_GROUP_KEYS(gColorEdit, {K::Color_for_edit_controls, false})
ONDRIX_GROUP_KEYS(gColorText, {K::Color_for_fonts_in_edit_controls, false})
ONDRIX_GROUP_KEYS(gSetFocus, {K::SetFocusWhenFileDroppedOnForm, false})
ONDRIX_GROUP_KEYS(gPriority, {K::ApplicationThreadLevel, false})
ONDRIX_GROUP_KEYS(gDonation, {K::Param1, true}, {K::Param2, true})
ONDRIX_GROUP_KEYS(gChooser, {K::Context_Menu_Last_Used_Checksum_Type, false})
#undef ONDRIX_GROUP_KEYS

const std::array<SettingsGroupInfo, kSettingsGroupCount> kGroups = {{
    {G::Caption_bar_visible, gCaption, false, A::Nothing},
    {G::Hide_to_tray_on_close, gHideToTray, true, A::Nothing},
    {G::DisableFormScaling, gDisableScaling, true, A::Nothing},
    {G::ShowFilenameOnTitleBar, gShowFilename, true, A::Nothing},
    {G::SavePosition, gSavePosition, true, A::Nothing},
    {G::SaveWidth, gSaveWidth, true, A::Nothing},
    {G::SaveStyle, gSaveStyle, true, A::Nothing},
    {G::Transparency_value, gTransparency, true, A::Nothing},
    {G::AutoPasteChecksumFromClipboard, gAutoPaste, true, A::Nothing},
    {G::SaveLastChecksumType, gSaveLastType, true, A::Nothing},
    {G::EscapeClosesApplication, gEscCloses, true, A::Nothing},
    {G::StayOnTop, gStayOnTop, true, A::Nothing},
    {G::ShowUppercaseChecksum, gUppercase, true, A::Nothing},
    {G::AutocalculateWhenChecksumTypeChanged, gAutocalcType, true, A::Nothing},
    {G::AutocalculateWhenFileDropped, gAutocalcDrop, true, A::Nothing},
    {G::FlashWindowWhenCompleted, gFlash, true, A::Nothing},
    {G::ShellDefaultAction, gShell, true, A::Nothing},
    {G::SnapToEdge, gSnap, true, A::Nothing},
    {G::UseBoldFont, gBold, true, A::Nothing},
    {G::LogToFile, gLog, true, A::Nothing},
    {G::AddAsterixWhenSavedToFile, gSaveAsterix, true, A::Nothing},
    {G::FullPathInSaveToFile, gSaveFullPath, true, A::Nothing},
    {G::MakeIniFileHidden, gIniAttributes, true, A::SettingsFileAttributes},
    {G::MakeHistoryFileHidden, gHistoryAttributes, true, A::HistoryFileAttributes},
    {G::EnableOldVersionWarning, gOldVersion, true, A::Nothing},
    {G::DisplayTimeElapsedOnStatusBar, gTimeElapsed, true, A::Nothing},
    {G::CheckForUpdate, gCheckForUpdate, true, A::Nothing},
    {G::RecordUpdateCheck, gRecordUpdateCheck, true, A::Nothing},
    {G::Color_for_background, gColorBackground, true, A::Nothing},
    {G::Color_for_edit_controls, gColorEdit, true, A::Nothing},
    {G::Color_for_fonts_in_edit_controls, gColorText, true, A::Nothing},
    {G::SetFocusWhenFileDroppedOnForm, gSetFocus, true, A::Nothing},
    {G::ApplicationThreadLevel, gPriority, true, A::Nothing},
    {G::Param1, gDonation, true, A::Nothing},
    {G::Context_Menu_Last_Used_Checksum_Type, gChooser, true, A::Nothing},
}};

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(sv a, sv b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

}  // namespace

const std::array<SettingKeyInfo, kSettingKeyCount>& SettingKeys() { return kKeys; }

const SettingKeyInfo& KeyInfo(SettingKey key) {
  const auto index = std::size_t(key);
  if (index >= kKeys.size()) throw std::out_of_range("unknown settings key");
  return kKeys[index];
}

const SettingKeyInfo* FindSettingKey(std::string_view name) {
  for (const auto& row : kKeys)
    if (EqualsIgnoringCase(row.name, name)) return &row;
  return nullptr;
}

const std::array<SettingsGroupInfo, kSettingsGroupCount>& SettingsGroups() { return kGroups; }

const SettingsGroupInfo& GroupInfo(SettingsGroup group) {
  const auto index = std::size_t(group);
  if (index >= kGroups.size()) throw std::out_of_range("unknown settings group");
  return kGroups[index];
}

}  // namespace ondrix
