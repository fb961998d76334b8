; The diary's installer: winwkb.exe, a Start-menu shortcut that starts it in its own folder, the
; "Apps & features" entry, and the uninstaller, either for everyone (under Program Files, the
; shortcut and the entry for all users) or for me only (under the user's own programs folder,
; the user's own shortcut and entry; no administrator rights needed). Neither ever touches the
; diary's data. scripts/make-dist compiles it with
; makensis -DVERSION=2.5.0 -DPUBLISHER=... -DCOPYRIGHT=... -DWEB_ADDRESS=... -DPROGRAM=winwkb.exe
; -DOUTFILE=setup.exe [-DSIGN_COMMAND=...]. /CurrentUser (for me only) or /AllUsers (for everyone)
; chooses the scope; without either, an upgrade keeps the scope of the install it finds, and a
; new install is for everyone in a silent run or for an administrator, for me only otherwise.
; /S installs or uninstalls silently; its exit code
; is 0 when done (the uninstaller: handed over, see startUninstaller), 3 when the diary is open
; and nothing was changed, 4 when the folder cannot be written (or an install for everyone lacks
; administrator rights), and 2 when both scopes were asked for.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
; No file times in the installer: two builds of one commit are byte-identical.
SetDateSave off
; An administrator is asked to elevate (an install for everyone needs it); anyone else runs the
; setup with their own rights and can install for themselves only.
RequestExecutionLevel highest
ManifestDPIAware true
; A file that cannot be written stops the installation instead of being skipped.
AllowSkipFiles off

!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "nsDialogs.nsh"

!define PRODUCT "WinWkb"
!define DESCRIPTION "WinWkb, the school diary"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\WinWkb"
; $SMPROGRAMS and SHCTX (HKLM or HKCU) follow the scope (see useScope).
!define SHORTCUT "$SMPROGRAMS\WinWkb.lnk"
; The class of the diary's main window.
!define DIARY_WINDOW "winwkb"
; The uninstaller proper, written beside uninstall.exe only while it starts.
!define UNINSTALLER_PROPER "uninstall-run.exe"

Name "${PRODUCT} ${VERSION}"
Caption "${DESCRIPTION} ${VERSION}"
OutFile "${OUTFILE}"
; The folder of the scope, or of the earlier install in it, is set by folderOfScope.
InstallDir "$PROGRAMFILES64\${PRODUCT}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "FileDescription" "${DESCRIPTION} (setup)"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

!ifdef SIGN_COMMAND
  ; %1 is the file to sign in place.
  !finalize '${SIGN_COMMAND} "%1"'
  !uninstfinalize '${SIGN_COMMAND} "%1"'
!endif

; "user" (for me only) or "all" (for everyone).
Var Scope
; 1 when the setup runs with administrator rights.
Var Admin
; The folder of /D=, as given; "" without one.
Var GivenFolder
Var RadioUser
Var RadioAll

Page custom scopePage scopePageLeave
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Asks the user to close the diary while its window is open; aborts when they cancel
; (a silent run cancels at once). A running program is never overwritten or removed.
!macro DIARY_CLOSED_CHECK UN
Function ${UN}diaryClosed
  check:
    FindWindow $0 "${DIARY_WINDOW}"
    StrCmp $0 0 0 open
    Return
  open:
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "${DESCRIPTION}, is open.$\r$\nClose it (your notes are kept), then choose Retry." \
      /SD IDCANCEL IDRETRY check
  SetErrorLevel 3
  Abort "The diary is open: nothing was changed."
FunctionEnd
!macroend
!insertmacro DIARY_CLOSED_CHECK ""
!insertmacro DIARY_CLOSED_CHECK "un."

!macro SCOPE_FUNCTIONS UN
Function ${UN}findAdmin
  StrCpy $Admin 0
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    StrCpy $Admin 1
  ${EndIf}
FunctionEnd

; The shell folders ($SMPROGRAMS, $APPDATA) and the registry root SHCTX of $Scope.
Function ${UN}useScope
  ${If} $Scope == "user"
    SetShellVarContext current
  ${Else}
    SetShellVarContext all
  ${EndIf}
FunctionEnd

; The scope of the install in $INSTDIR: for me only when this user's own entry names the folder.
Function ${UN}scopeOfInstDir
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} $0 == $INSTDIR
    StrCpy $Scope "user"
  ${Else}
    StrCpy $Scope "all"
  ${EndIf}
  Call ${UN}useScope
FunctionEnd

; Stops before anything changes when an install for everyone is run without administrator
; rights: it could write neither Program Files nor the machine's registry.
Function ${UN}checkRights
  ${If} $Scope == "all"
  ${AndIf} $Admin != 1
    MessageBox MB_OK|MB_ICONSTOP \
      "${PRODUCT} for everyone on this PC is installed and removed by an administrator only.$\r$\nRun this as an administrator, or install ${PRODUCT} for you only.$\r$\nNothing was changed." \
      /SD IDOK
    SetErrorLevel 4
    Abort "Administrator rights are needed. Nothing was changed."
  ${EndIf}
FunctionEnd
!macroend
!insertmacro SCOPE_FUNCTIONS ""
!insertmacro SCOPE_FUNCTIONS "un."

; /CurrentUser or /AllUsers; else the scope of an earlier install (this user's own first); else
; for everyone in a silent run (as before there was a choice) or for an administrator.
Function chooseScope
  StrCpy $Scope ""
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/CurrentUser" $2
  ${IfNot} ${Errors}
    StrCpy $Scope "user"
  ${EndIf}
  ClearErrors
  ${GetOptions} $1 "/AllUsers" $2
  ${IfNot} ${Errors}
    ${If} $Scope == "user"
      MessageBox MB_OK|MB_ICONSTOP "Give /CurrentUser or /AllUsers, not both.$\r$\nNothing was installed." /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
    StrCpy $Scope "all"
  ${EndIf}
  ${If} $Scope != ""
    Return
  ${EndIf}
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $Scope "user"
  ${ElseIf} $1 != ""
  ${OrIf} ${Silent}
  ${OrIf} $Admin = 1
    StrCpy $Scope "all"
  ${Else}
    StrCpy $Scope "user"
  ${EndIf}
FunctionEnd

; $INSTDIR for $Scope: the folder given with /D=, else that of the earlier install in this scope,
; else the scope's own: Program Files, or the user's programs folder.
Function folderOfScope
  Call useScope
  ${If} $GivenFolder != ""
    StrCpy $INSTDIR $GivenFolder
    Return
  ${EndIf}
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $INSTDIR $0
  ${ElseIf} $Scope == "user"
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
  ${Else}
    StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
  ${EndIf}
FunctionEnd

; The choice of scope. Without administrator rights "for everyone" cannot be chosen, and says why.
Function scopePage
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 24u "Install ${DESCRIPTION}:"
  Pop $0
  ${NSD_CreateRadioButton} 10u 28u -10u 12u "For &me only (in my own programs folder; no administrator rights needed)"
  Pop $RadioUser
  ${NSD_CreateRadioButton} 10u 46u -10u 12u "For &everyone who uses this PC (under Program Files)"
  Pop $RadioAll
  ${If} $Admin != 1
    ${NSD_SetText} $RadioAll "For &everyone who uses this PC (start the setup as an administrator)"
    EnableWindow $RadioAll 0
    StrCpy $Scope "user"
  ${EndIf}
  ${If} $Scope == "all"
    ${NSD_Check} $RadioAll
  ${Else}
    ${NSD_Check} $RadioUser
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function scopePageLeave
  ${NSD_GetState} $RadioAll $0
  ${If} $0 = ${BST_CHECKED}
    StrCpy $Scope "all"
  ${Else}
    StrCpy $Scope "user"
  ${EndIf}
  Call folderOfScope
FunctionEnd

Function .onInit
  Call findAdmin
  ${If} $EXEFILE == "uninstall.exe"
    Call startUninstaller
  ${EndIf}
  Call findGivenFolder
  Call chooseScope
  Call folderOfScope
  ${If} ${Silent}
    Call checkRights
    Call checkWritable
  ${EndIf}
FunctionEnd

; NSIS silently replaces a /D= folder that it finds invalid (a file in its path) by the default
; one; the folder is taken as given, so that it is refused instead.
Function findGivenFolder
  StrCpy $GivenFolder ""
  System::Call 'kernel32::GetCommandLine() t .r0'
  StrLen $2 $0
  StrCpy $3 0
  ${DoWhile} $3 < $2
    StrCpy $4 $0 4 $3
    ${If} $4 == " /D="
      IntOp $3 $3 + 4
      StrCpy $GivenFolder $0 "" $3
      Return
    ${EndIf}
    IntOp $3 $3 + 1
  ${Loop}
FunctionEnd

; Stops before anything is written when $INSTDIR cannot be made or written; leaves no folder.
Function checkWritable
  StrCpy $1 0
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $1 1
  ${EndIf}
  ClearErrors
  CreateDirectory "$INSTDIR"
  FileOpen $0 "$INSTDIR\winwkb-setup.probe" w
  ${IfNot} ${Errors}
    FileClose $0
    Delete "$INSTDIR\winwkb-setup.probe"
    StrCpy $2 "ok"
  ${Else}
    StrCpy $2 ""
  ${EndIf}
  ${If} $1 = 1
    RMDir "$INSTDIR"
  ${EndIf}
  ${If} $2 == "ok"
    Return
  ${EndIf}
  MessageBox MB_OK|MB_ICONSTOP \
    "The folder $INSTDIR cannot be written.$\r$\nChoose another folder, or run the setup as an administrator.$\r$\nNothing was installed." \
    /SD IDOK
  SetErrorLevel 4
  Abort "The folder $INSTDIR cannot be written. Nothing was installed."
FunctionEnd

; An NSIS uninstaller runs from a copy of itself in the temporary folder (so that it can remove
; its own file), and its caller gets 0 at once, before any check. So uninstall.exe is a copy of
; this installer that checks first: with the diary open it ends with 3 and removes nothing;
; otherwise it hands over to the uninstaller proper and ends with what that returned.
Function startUninstaller
  StrCpy $INSTDIR $EXEDIR
  Call scopeOfInstDir
  Call checkRights
  Call diaryClosed
  ClearErrors
  WriteUninstaller "$INSTDIR\${UNINSTALLER_PROPER}"
  ${If} ${Silent}
    ExecWait '"$INSTDIR\${UNINSTALLER_PROPER}" /S' $0
  ${Else}
    ExecWait '"$INSTDIR\${UNINSTALLER_PROPER}"' $0
  ${EndIf}
  ${If} ${Errors}
    StrCpy $0 2
  ${EndIf}
  Delete "$INSTDIR\${UNINSTALLER_PROPER}"
  SetErrorLevel $0
  Quit
FunctionEnd

Section "${PRODUCT}"
  Call checkRights
  Call diaryClosed
  Call checkWritable
  ; The working folder of the shortcut below: the diary started there keeps its data in the
  ; user's application data folder when the folder lies under Program Files or under the
  ; user's own programs folder.
  SetOutPath "$INSTDIR"
  ; The new program lands whole beside the old one before it takes its name.
  ClearErrors
  File "/oname=winwkb.exe.new" "${PROGRAM}"
  ${If} ${Errors}
    Delete "$INSTDIR\winwkb.exe.new"
    SetErrorLevel 4
    Abort "winwkb.exe could not be written. Nothing was changed."
  ${EndIf}
  Delete "$INSTDIR\winwkb.exe"
  ${If} ${FileExists} "$INSTDIR\winwkb.exe"
    Delete "$INSTDIR\winwkb.exe.new"
    MessageBox MB_OK|MB_ICONSTOP "$INSTDIR\winwkb.exe is in use and cannot be replaced.$\r$\nClose the diary and run the setup again." /SD IDOK
    SetErrorLevel 3
    Abort "winwkb.exe is in use. Nothing was changed."
  ${EndIf}
  Rename "$INSTDIR\winwkb.exe.new" "$INSTDIR\winwkb.exe"
  ; The uninstaller's front (see startUninstaller).
  CopyFiles /SILENT "$EXEPATH" "$INSTDIR\uninstall.exe"

  CreateShortcut "${SHORTCUT}" "$INSTDIR\winwkb.exe" "" "$INSTDIR\winwkb.exe" 0 SW_SHOWNORMAL "" "${DESCRIPTION}"

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${DESCRIPTION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "URLInfoAbout" "http://${WEB_ADDRESS}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\winwkb.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/M=*.exe /S=0K /G=0" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Function un.onInit
  Call un.findAdmin
  Call un.scopeOfInstDir
FunctionEnd

Section "Uninstall"
  Call un.checkRights
  Call un.diaryClosed
  ; The program goes first: while it cannot be removed, nothing else is.
  Delete "$INSTDIR\winwkb.exe"
  ${If} ${FileExists} "$INSTDIR\winwkb.exe"
    MessageBox MB_OK|MB_ICONSTOP "$INSTDIR\winwkb.exe is in use and cannot be removed.$\r$\nClose the diary and uninstall again." /SD IDOK
    SetErrorLevel 3
    Abort "winwkb.exe is in use. Nothing was removed."
  ${EndIf}
  Delete "${SHORTCUT}"
  ; uninstall.exe, which started this copy, may take a moment to end.
  StrCpy $1 0
  ${Do}
    Delete "$INSTDIR\uninstall.exe"
    ${IfNot} ${FileExists} "$INSTDIR\uninstall.exe"
      ${Break}
    ${EndIf}
    IntOp $1 $1 + 1
    ${If} $1 > 50
      ${Break}
    ${EndIf}
    Sleep 100
  ${Loop}
  Delete "$INSTDIR\${UNINSTALLER_PROPER}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ; Only when empty: a data folder that the diary made here stays.
  RMDir "$INSTDIR"
  Call un.tellWhereDataIs
SectionEnd

; The data folder is never removed; say where it is, so that it can be kept or moved.
Function un.tellWhereDataIs
  SetShellVarContext current
  StrCpy $0 "$APPDATA\wkb_db"
  Call un.useScope
  ${If} ${FileExists} "$INSTDIR\wkb_db\*.*"
    StrCpy $0 "$INSTDIR\wkb_db"
  ${EndIf}
  DetailPrint "Your diary's data was kept in $0"
  MessageBox MB_OK|MB_ICONINFORMATION \
    "${PRODUCT} was removed; your diary was not. Its notes and timetable are kept in$\r$\n$0$\r$\n(a portable copy keeps its own wkb_db beside its winwkb.exe).$\r$\nInstall ${PRODUCT} again to go on with them, or copy that folder to another PC." \
    /SD IDOK
FunctionEnd
