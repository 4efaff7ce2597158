// Every text the programs show, in one place. The sources are UTF-8; the build stores the
// literals as code page 1256 bytes (-fexec-charset=CP1256), so each constant holds exactly
// the bytes the programs show and write.
#pragma once

namespace texts {

// Application titles (taskbar) and window titles.
inline constexpr char kSetupTitle[] = "برنامه نصب";
inline constexpr char kSetupWindowTitle[] = "نصب برنامه";
inline constexpr char kUninstallTitle[] = "حذف برنامه";

// The window kit: captions of the message dialogs and the failures of picture loading.
inline constexpr char kInformationCaption[] = "Information";
inline constexpr char kWarningCaption[] = "Warning";
inline constexpr char kConfirmCaption[] = "Confirm";
inline constexpr char kUnknownPictureExtension[] = "Unknown picture file extension";
inline constexpr char kInvalidBitmap[] = "Bitmap image is not valid";
inline constexpr char kInvalidIcon[] = "Icon image is not valid";
inline constexpr char kInvalidMetafile[] = "Metafile is not valid";
inline constexpr char kJpegError[] = "JPEG error #";

// Installer start-up, main window and exit confirmation.
// hint of Next1
inline constexpr char kHintConfirm[] = "تاييد";
// hint of cancel and of TForm5's Label1
inline constexpr char kHintCancel[] = "انصراف";
// hint of change
inline constexpr char kHintChangePath[] = "تغيير مسير نصب برنامه";
// the label wait
inline constexpr char kPleaseWait[] = "سيستم در حال انتقال اطلاعات لطفا براي لحظاتي صبر كنيد";
// hint of TForm5's Ok
inline constexpr char kHintExitProgram[] = "خروج از برنامه";
// REG.CFG missing; ends with a space
inline constexpr char kSettingsFileMissing[] = "فايل مربوط به تنظيمات برنامه يافت نشد ";
// TForm5's title: a single space.
inline constexpr char kExitWindowTitle[] = " ";
// The start-menu group when REG.CFG leaves it empty.
inline constexpr char kDefaultMenuGroup[] = "Selvara";
// Built-in caption of tetr1, seen only when REG.CFG cannot be read.
inline constexpr char kSetupBuiltInTitle[] = "نصب برنامه";

// Installation sequence and folder chooser.
// not enough space on the target drive (or its space cannot be read)
inline constexpr char kNotEnoughSpace[] = "فضاي كافي جهت نصب در درايو مقصد وجود ندارد";
// the success message, alone or as the first line of the restart question
inline constexpr char kInstalledSuccessfully[] = "برنامه با موفقيت نصب شد";
// second and third lines of the restart question; both end with a space
inline constexpr char kRestartAdvice[] =
    "براي نمايش مناسب فونت ها بهتر است سيستم را مجددا راه اندازي نماييد ";
inline constexpr char kRestartQuestion[] = "آيا مايل به راه اندازي مجدد سيستم هستيد؟ ";
// TForm4: title (ends with a space), captions of the capacity and free-space lines, unit
inline constexpr char kChooserTitle[] = "تعيين مسير نصب ";
inline constexpr char kCapacityCaption[] = "مقدار ظرفيت كل ديسك:";
inline constexpr char kFreeSpaceCaption[] = ":مقدار فضاي خالي";
inline constexpr char kKilobytes[] = "KB";

// Installation engine: folders, copy, shortcuts, uninstall registration, record.
inline constexpr char kInstallFolderNotCreatable[] = "سيستم قادر به ايجاد شاخه تعيين شده نمي باشد";
// Failures; "%s" stands for a path, the system's text for an error, or a value name.
inline constexpr char kCannotOpenFile[] = "Cannot open file \"%s\". %s";
inline constexpr char kCannotCreateFile[] = "Cannot create file \"%s\". %s";
inline constexpr char kStreamReadError[] = "Stream read error";
inline constexpr char kStreamWriteError[] = "Stream write error";
inline constexpr char kInvalidDataType[] = "Invalid data type for '%s'";
inline constexpr char kFailedToSetData[] = "Failed to set data for '%s'";
inline constexpr char kInterfaceNotSupported[] = "Interface not supported";

// System integration: system files, fonts, locale, restart.

// REG.CFG or INSTALL.CFG names the product or its shortcut in a way that would reach beyond
// the product's own entry and folders: both programs refuse it before they change anything.
inline constexpr char kProgramNameInvalid[] = "نام برنامه در فايل تنظيمات مجاز نيست";
inline constexpr char kShortcutNameInvalid[] = "نام ميانبر در فايل تنظيمات مجاز نيست";

// Uninstaller.
inline constexpr char kRecordMissing[] = "فايل مربوط به تنظيمات نصب يافت نشد";
inline constexpr char kUninstallEntryMissing[] =
    "متاسفم تنظيمات مربوط به برنامه در رجيستري حذف شده ولذا برنامه قادر به ادامه كار نمي باشد";
inline constexpr char kInstallFolderProtected[] =
    "شاخه نصب برنامه يك شاخه سيستمي است و حذف آن امكان پذير نيست";
inline constexpr char kRemovalDone[] = "برنامه با موفقيت حذف شد";
// Failure: the temporary folder cannot be made the current folder for the removal script.
inline constexpr char kCannotChangeFolder[] = "Cannot change to folder \"%s\". %s";

}  // namespace texts
