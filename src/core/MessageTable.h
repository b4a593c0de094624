// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The program's numbered German messages. New messages continue after Last
// as it stands when the change lands (raise Last with them); code and tests
// name a message by its constant below, never by a bare number.
namespace MessageTable {
constexpr int First = 101;
constexpr int Last = 203;
// The text of message `number`, or a null QString when the table has none.
QString text(int number);
} // namespace MessageTable

// The messages by name.
namespace Msg {
constexpr int UnregisterManyQuestion = 101;
constexpr int UnregisterOneQuestion = 102;
constexpr int RegisterManyQuestion = 103;
constexpr int RegisterOneFailed = 104;
constexpr int RegisterOneDone = 105;
constexpr int ContinueQuestion = 106;
constexpr int RegisterCountDone = 107;
constexpr int RegisterCountFailed = 108;
constexpr int RegisterNoneDone = 109;
constexpr int RegisterAllDone = 110;
constexpr int NoVersionInfo = 111;
constexpr int NeedOneFile = 112;
constexpr int OnlyOneFile = 113;
constexpr int NoHelp = 114;
constexpr int FilesChanged = 115;
constexpr int LargeFileEditorQuestion = 116;
constexpr int RenameNeedsOption = 117;
constexpr int RenameTargetExists = 118;
constexpr int FilesRenamed = 119;
constexpr int InvalidStartPosition = 120;
constexpr int RenameCheckPassed = 121;
constexpr int CopyNoVersionInfo = 122;
constexpr int TargetExistsOverwrite = 123;
constexpr int RenameWarning = 124;
constexpr int RenameProblems = 125;
constexpr int StartActionQuestion = 126;
constexpr int ActionDone = 127;
constexpr int FolderGone = 128;
constexpr int FileGone = 129;
constexpr int UseAsSourceQuestion = 130;
constexpr int CancelDetected = 131;
constexpr int ReservedCharacter = 132;
constexpr int InvalidInput = 133;
constexpr int FieldRequired = 134;
constexpr int MaskNameTaken = 135;
constexpr int DeleteQuestion = 136;
constexpr int LastEntry = 137;
constexpr int DiscardQuestion = 138;
constexpr int MaskNamePrompt = 139;
constexpr int MaskExtensionsPrompt = 140;
constexpr int EditMaskTitle = 141;
constexpr int AddMaskTitle = 142;
constexpr int NoMatchingFiles = 143;
constexpr int PictureLabel = 144;
constexpr int SlideshowLabel = 145;
constexpr int TargetFileTitle = 146;
constexpr int IconSaveFilter = 147;
constexpr int ExecutableFilter = 148;
constexpr int ErrorContinueQuestion = 149;
constexpr int ErrorNumberAndSource = 150;
constexpr int SlideshowEnded = 151;
constexpr int SlideshowFolderMissing = 152;
constexpr int SlideshowNoFiles = 153;
constexpr int SlideshowClickOk = 154;
constexpr int NoDocProperties = 155;
constexpr int FileMissing = 156;
constexpr int VersionCopyQuestion = 157;
constexpr int ReadStillRunning = 158;
constexpr int FolderTimesChanged = 159;
constexpr int CommandNeedsPlaceholder = 160;
constexpr int PathCopied = 161;
constexpr int CannotOpenFile = 162;
constexpr int NoProgramForType = 163;
constexpr int NoEditor = 164;
constexpr int FileWriteFailed = 165; // path, German reason
constexpr int FileReadFailed = 166;  // path, German reason
constexpr int NotRegularFile = 167;  // path, what it is instead
constexpr int FileTooLarge = 168;    // path, the limit in MB
constexpr int TargetExists = 169;    // path

constexpr int PictureNotShown = 170;    // path, German reason
constexpr int SlideshowBadNumber = 171; // key, value
// The settings file, when it was opened at start-up.
constexpr int SettingsUnusable = 172;    // file, why
constexpr int SettingsDamagedKept = 173; // file, why it could not be set aside
constexpr int SettingsSetAside = 174;    // file, where it went
constexpr int SettingsReadOnly = 175;    // file
constexpr int ProgramNotStarted = 176;   // program, German reason
constexpr int IconSaveFormat = 177;      // file
constexpr int RenameInterrupted = 178;   // folder
constexpr int RenameUndoQuestion = 179;  // folder
constexpr int RenameUndone = 180;        // count
constexpr int RenameUndoMissed = 181;    // count
constexpr int RenameNothingToUndo = 182;
// Folder comparison and its run.
constexpr int FileDeleteFailed = 183;  // path, German reason
constexpr int FolderReadFailed = 184;  // path, German reason
constexpr int SameFolder = 185;        // path of the one folder
constexpr int ActionDoneSkipped = 186; // count, lines "name: reason"
// A registry file of Wine in a version the viewer does not read.
constexpr int WineVersionUnreadable = 187; // path, the version it names

// File times and component registration.
constexpr int InvalidDate = 188;       // the text typed
constexpr int FolderTimesFailed = 189; // folder, German reason
constexpr int FileTimesFailed = 190;   // path, German reason
constexpr int NotWindowsLibrary = 191;
constexpr int ExportMissing = 192; // entry point
constexpr int TypeLibraryUnsupported = 193;
constexpr int WineMissing = 194;
constexpr int RegsvrBadCall = 195;
constexpr int WineCannotLoad = 196;
constexpr int Needs32BitWine = 197;
constexpr int EntryPointFailed = 198; // entry point
constexpr int WineNoAnswer = 199;
constexpr int Cancelled = 200;
constexpr int WineExitCode = 201; // exit code
constexpr int NameTooLong = 202;  // name
// A folder the companion is asked to count that is none.
constexpr int NotAFolder = 203; // path, what it is instead
} // namespace Msg
