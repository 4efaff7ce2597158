// The findings of the medium checker (tools/medium_check) for product authors, in English,
// apart from the texts the programs show (core/texts.h): plain ASCII, the same bytes in
// every build.
#pragma once

namespace texts {

// The medium checker (tools/medium_check): findings for product authors, in English. "%s"
// stands for a name, a number or a place such as "REG.CFG line 3 (SourceFolder)".
inline constexpr char kCheckFolderMissing[] = "the folder \"%s\" does not exist.";
inline constexpr char kCheckUsage[] = "usage: medium_check [medium folder]";
inline constexpr char kCheckNoSettings[] =
    "REG.CFG is missing from the medium's folder; the installer would only say that its "
    "settings file was not found, and end.";
inline constexpr char kCheckFewLines[] =
    "REG.CFG has %s lines instead of ten; the installer reads %s as empty.";
inline constexpr char kCheckExtraLines[] =
    "REG.CFG has %s lines; the installer reads the first ten and ignores the rest.";
inline constexpr char kCheckByteOrderMark[] =
    "%s begins with a UTF-8 byte order mark, which the installer reads as part of its first "
    "line; save the file as code page 1256 text without one.";
inline constexpr char kCheckUtf8Text[] = "%s is UTF-8 text; save the file in code page 1256.";
inline constexpr char kCheckControlByte[] =
    "%s holds the control byte %s, which is not code page 1256 text.";
inline constexpr char kCheckNoSourceFolder[] =
    "REG.CFG line 3 (SourceFolder) is empty; the installer needs the name of the payload folder.";
inline constexpr char kCheckSourceFolderNotOneName[] =
    "SourceFolder \"%s\" is neither a single folder name nor an absolute path; the installer "
    "takes System, Fonts and every file to copy from the payload folder's parent, which then "
    "is not the medium's folder.";
inline constexpr char kCheckSourceFolderMissing[] =
    "the payload folder \"%s\" (SourceFolder) is not on the medium.";
inline constexpr char kCheckSourceFolderAbsolute[] =
    "SourceFolder \"%s\" is an absolute path: the installer takes the payload from there and "
    "System and Fonts from beside it, not from the medium's folder.";
inline constexpr char kCheckSourceFolderUnreachable[] =
    "SourceFolder \"%s\" cannot be found on this machine; the payload, System and Fonts are "
    "not checked.";
inline constexpr char kCheckNoProgramName[] =
    "REG.CFG line 5 (ProgramName) is empty; the uninstall entry would have no name of its own "
    "and the uninstaller could not find the product.";
inline constexpr char kCheckProgramNameInvalid[] =
    "ProgramName \"%s\" is not a plain file name (it holds \\, /, :, *, ?, \", <, >, | or a "
    "control byte, or is . or ..); the installer refuses it at start and installs nothing.";
inline constexpr char kCheckShortcutNameInvalid[] =
    "ShortcutName \"%s\" has a \"..\" part; the installer refuses it at start and installs "
    "nothing.";
inline constexpr char kCheckPictureMissing[] =
    "BackgroundPicture \"%s\" is not on the medium; the installer shows its built-in picture.";
inline constexpr char kCheckPictureExtension[] =
    "BackgroundPicture \"%s\" is not a jpg, jpeg, bmp, ico, wmf or emf file; the installer would "
    "fail at start with an error and propose no install folder.";
inline constexpr char kCheckPictureUndecodable[] =
    "BackgroundPicture \"%s\" cannot be decoded (%s); the installer would fail at start with "
    "an error and propose no install folder.";
inline constexpr char kCheckPictureDamaged[] =
    "BackgroundPicture \"%s\" decodes with a fault (%s); parts of it would show grey.";
inline constexpr char kCheckPictureSize[] =
    "BackgroundPicture \"%s\" is %s x %s pixels; the main window shows it centred at that size "
    "in 790 x 536 pixels.";
inline constexpr char kCheckPictureNotChecked[] =
    "BackgroundPicture \"%s\" is not a JPEG; the checker decodes only JPEG pictures.";
inline constexpr char kCheckNoProgramFile[] =
    "the payload has no \"%s\" at its top level; the product's program would not be installed "
    "and its shortcuts would lead nowhere.";
inline constexpr char kCheckNoUninstaller[] =
    "the payload has no \"uninstall.dat\" at its top level; the product could not be removed "
    "through the list of installed programs.";
inline constexpr char kCheckPassedOverFolder[] =
    "the installer passes over the %s folder \"%s\" and everything in it.";
inline constexpr char kCheckPassedOverFile[] = "the installer passes over the %s file \"%s\".";
inline constexpr char kCheckHidden[] = "hidden";
inline constexpr char kCheckSystem[] = "system";
inline constexpr char kCheckHiddenSystem[] = "hidden system";
inline constexpr char kCheckLink[] = "linked";
inline constexpr char kCheckAttributesUnseen[] =
    "this build of the checker does not see hidden and system attributes; run medium_check.exe "
    "under Windows to find the entries that the installer passes over.";
inline constexpr char kCheckPathTooLong[] =
    "\"%s\" would be %s characters long under the default install folder %s (Windows taken on "
    "drive C:), more than 259; the installer could not create it there.";
inline constexpr char kCheckPayloadSize[] =
    "the payload holds %s files in %s folders, %s bytes in all; the installer wants that much "
    "free space on the target drive.";
inline constexpr char kCheckSubfolder[] =
    "the %s folder holds the folder \"%s\"; the installer ignores it and everything in it.";
inline constexpr char kCheckEmptyFile[] =
    "the %s folder's file \"%s\" is empty; the installer ignores empty files there.";
inline constexpr char kCheckSystemListSpelling[] =
    "\"%s\" in the System folder is not spelled \"SYSTEM.TXT\"; the installer reads it as the "
    "list but also copies it into the Windows system folder.";
inline constexpr char kCheckFontListSpelling[] =
    "\"%s\" in the Fonts folder is not spelled \"FONT.TXT\"; the installer reads it as the list "
    "but also installs it as a font, taking a place in the pairing.";
inline constexpr char kCheckNoSystemList[] =
    "the System folder has no SYSTEM.TXT; its files are copied into the Windows system folder "
    "and none is registered.";
inline constexpr char kCheckSystemListName[] =
    "SYSTEM.TXT line %s names \"%s\", which is not in the System folder; it is registered only "
    "if the Windows system folder already holds it.";
inline constexpr char kCheckTooManyPairs[] =
    "FONT.TXT has %s pairs of lines; the installer reads the first 20 and ignores the rest.";
inline constexpr char kCheckFewerPairs[] =
    "FONT.TXT has fewer pairs (%s) than font files (%s); the fonts without a pair are "
    "registered under their file names.";
inline constexpr char kCheckMorePairs[] =
    "FONT.TXT has more pairs (%s) than font files (%s); the pairs past the last font are not "
    "used.";
inline constexpr char kCheckPairingTable[] =
    "the installer pairs the font files with FONT.TXT in the order it lists them, not by name:";
inline constexpr char kCheckNoFontList[] =
    "the Fonts folder has no FONT.TXT; each font is registered under its file name:";
inline constexpr char kCheckPairingRow[] = "  %s -> registry value \"%s\" = \"%s\"";
inline constexpr char kCheckPairMismatch[] =
    "the font file \"%s\" gets pair %s, whose file line is \"%s\"; pairs follow the listing "
    "order, not the names.";
inline constexpr char kCheckMenuGroup[] =
    "MenuGroup \"%s\" is not the default \"Selvara\"; the uninstaller removes only the group "
    "\"Selvara\", so this group and its shortcut stay after the product is removed.";
inline constexpr char kCheckLocaleEmpty[] =
    "LocaleMode is empty: before copying, the installer sets the code pages, the default "
    "language (Arabic, Saudi Arabia), the Farsi keyboard and the user's regional settings to "
    "Persian, and at the end it asks to restart Windows.";
inline constexpr char kCheckLocaleOne[] =
    "LocaleMode is \"1\": as when it is empty, but with Persian as the default language; on "
    "Windows 2000 and later the settings written at the end set it back to Arabic (Saudi "
    "Arabia). At the end the installer asks to restart Windows.";
inline constexpr char kCheckLocaleZero[] =
    "LocaleMode is \"0\": the installer changes no locale setting before copying; on Windows "
    "2000 and later it writes the Persian settings (default language Arabic, Saudi Arabia) at "
    "the end. It ends with its picture of how to set the regional options by hand and offers "
    "no restart.";
inline constexpr char kCheckLocaleOther[] =
    "LocaleMode \"%s\" is none of empty, \"0\" or \"1\" (spaces count): the installer changes "
    "no locale setting before copying, writes the Persian settings at the end on Windows 2000 "
    "and later, and asks to restart Windows.";

}  // namespace texts
