; The installer of Velmorin for x86_64 Windows, made with makensis by
; scripts/make-windows-installer.sh from the files the ZIP package holds. It installs them
; into "Program Files\Velmorin" for all users, where the programs take the installed layout
; (settings under %APPDATA%, working files under %LOCALAPPDATA%); adds a Start-menu entry,
; an entry in the list of installed programs and an uninstaller that removes exactly the
; files it installed (the user's settings stay).
;
; Defined on makensis's command line:
;   VERSION       the program's version, e.g. 1.0
;   VERSION4      the same as four numbers, e.g. 1.0.0.0 (the version resource wants them)
;   STAGE         the folder holding the ZIP's files
;   FILES         an include file: the Install and Uninstall macros for those files
;   SIZE_KB       their size in KiB (the list of installed programs shows it)
;   OUTFILE       the installer to write
;   ICON          (optional) velmorin.ico, for the installer and the uninstaller

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!define APP "Velmorin"
!define PUBLISHER "The Velmorin developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
!define UNINSTALLER "uninstall.exe"

Name "${APP}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${APP}"
; A new version goes where the last one was put.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${APP} ${VERSION}"

VIProductVersion "${VERSION4}"
VIAddVersionKey /LANG=0 "ProductName" "${APP}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "2026 ${PUBLISHER}, GPL-3.0-or-later"
VIAddVersionKey /LANG=0 "FileDescription" "${APP} ${VERSION} Setup"

!include "MUI2.nsh"
!include "${FILES}"

!ifdef ICON
  !define MUI_ICON "${ICON}"
  !define MUI_UNICON "${ICON}"
!endif
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\velmorin.exe"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; NSIS shows the language of the user's Windows when it is one of these, else the first.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

Function .onInit
  SetShellVarContext all
  SetRegView 64
FunctionEnd

Function un.onInit
  SetShellVarContext all
  SetRegView 64
FunctionEnd

Section "Install"
  !insertmacro Install
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\velmorin.exe" "" "$INSTDIR\velmorin.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velmorin.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there goes: the settings and working files of the installed
; layout live in the user's folders, and a file someone else left in the program's folder
; keeps the folder.
Section "Uninstall"
  Delete "$SMPROGRAMS\${APP}.lnk"
  !insertmacro Uninstall
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
