; The Windows installer: Plandor into Program Files, a Start-menu entry, .plo files opening
; with Plandor, and an uninstaller listed under Apps. Built by scripts/build-windows.sh:
;   makensis -DVERSION=1.3 -DSTAGE=<folder with plandor.exe> -DICON=plandor.ico -DOUTFILE=setup.exe
Unicode true
; The 64-bit stub: the 32-bit one does not run on 64-bit-only systems (or wine).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "x64.nsh"

Name "Plandor"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Plandor"
InstallDirRegKey HKLM "Software\Plandor" "InstallDir"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Plandor"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "Plandor"
VIAddVersionKey "FileDescription" "Plandor installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright 2026 Plandor maintainers"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Plandor"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Plandor.lnk" "$INSTDIR\plandor.exe"

  ; Layout files open with Plandor.
  WriteRegStr HKLM "Software\Classes\.plo" "" "Plandor.Layout"
  WriteRegStr HKLM "Software\Classes\Plandor.Layout" "" "Plandor layout"
  WriteRegStr HKLM "Software\Classes\Plandor.Layout\DefaultIcon" "" "$INSTDIR\plandor.exe,0"
  WriteRegStr HKLM "Software\Classes\Plandor.Layout\shell\open\command" "" '"$INSTDIR\plandor.exe" "%1"'

  WriteRegStr HKLM "Software\Plandor" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Plandor"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Plandor"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\plandor.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

; Removes what the installer put there, by name: the user's layouts (in %APPDATA%\Plandor, or
; beside the program where it may write) stay, and so does the folder while it holds any.
Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Plandor.lnk"
  Delete "$INSTDIR\plandor.exe"
  Delete "$INSTDIR\shop-variants.tsv"
  Delete "$INSTDIR\README.md"
  RMDir /r "$INSTDIR\locale"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "Software\Classes\Plandor.Layout"
  ReadRegStr $0 HKLM "Software\Classes\.plo" ""
  StrCmp $0 "Plandor.Layout" 0 +2
    DeleteRegKey HKLM "Software\Classes\.plo"
  DeleteRegKey HKLM "Software\Plandor"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
