; The installer of Velmora Disk Cleaner: installs for the current user, without
; administrator rights, into %LOCALAPPDATA%\Programs\Velmora Disk Cleaner, where
; the settings file beside the exe stays writable. scripts/package builds it with
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.3 -DPROGRAM_DIR=<program folder>
;            -DICON=<icon> -DOUTFILE=<setup.exe> VelmoraDiskCleaner.nsi
; Both the installer and its uninstaller run silently with /S.

Unicode true
; The program is 64-bit only; so is its installer.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define PRODUCT "Velmora Disk Cleaner"
!define PUBLISHER "Velmora"
!define EXE "VelmoraDiskCleaner.exe"
!define UNINSTALLER "Uninstall.exe"
; Where Windows lists programs installed for one user ("Apps and features").
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VelmoraDiskCleaner"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; Installing again goes where the last install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ManifestDPIAware true

!include MUI2.nsh
!include FileFunc.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; The language chosen for the installer is the uninstaller's too; it is kept in
; the program's uninstall key, which the uninstaller removes.
!define MUI_LANGDLL_REGISTRY_ROOT HKCU
!define MUI_LANGDLL_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "InstallerLanguage"
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
; The Russian welcome and finish titles, with the product's name, take three lines.
!define MUI_WELCOMEPAGE_TITLE_3LINES
!define MUI_FINISHPAGE_TITLE_3LINES

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Russian"

LangString ProgramSection ${LANG_ENGLISH} "${PRODUCT}"
LangString ProgramSection ${LANG_RUSSIAN} "${PRODUCT}"
LangString ProgramSectionText ${LANG_ENGLISH} "The program, its junk-type catalogue and its languages, with a shortcut in the Start menu."
LangString ProgramSectionText ${LANG_RUSSIAN} "Программа, её каталог ненужных файлов и языки, с ярлыком в меню «Пуск»."
LangString DesktopSection ${LANG_ENGLISH} "Desktop shortcut"
LangString DesktopSection ${LANG_RUSSIAN} "Ярлык на рабочем столе"
LangString DesktopSectionText ${LANG_ENGLISH} "A shortcut to the program on the desktop."
LangString DesktopSectionText ${LANG_RUSSIAN} "Ярлык программы на рабочем столе."

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

Section "!$(ProgramSection)" SectionProgram
  SectionIn RO
  SetShellVarContext current

  SetOutPath "$INSTDIR"
  File "${PROGRAM_DIR}\${EXE}"
  SetOutPath "$INSTDIR\data"
  File "${PROGRAM_DIR}\data\junk.dat"
  ; The exclusion list is the user's to edit in the Settings window: installing
  ; again keeps the user's list.
  SetOverwrite off
  File "${PROGRAM_DIR}\data\exclusions.dat"
  SetOverwrite on
  SetOutPath "$INSTDIR\language"
  File "${PROGRAM_DIR}\language\English.ini"
  File "${PROGRAM_DIR}\language\Russian.ini"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; Shortcuts start the program in its folder.
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  ; Quoted: the folder's name has spaces.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; In kilobytes, as Windows shows it.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "$(DesktopSection)" SectionDesktop
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\${EXE}"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionProgram} $(ProgramSectionText)
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionDesktop} $(DesktopSectionText)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  !insertmacro MUI_LANGDLL_DISPLAY
FunctionEnd

; The uninstaller deletes what was installed and what the program itself writes
; beside it (the settings file, the stored update reply), each file by its name,
; and then only the folders that are left empty: a user who installed into a
; folder holding other files keeps them, and so do the registry backups in
; data\backups, which undo the program's deletions.
Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$DESKTOP\${PRODUCT}.lnk"

  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\VelmoraDiskCleaner.ini"
  Delete "$INSTDIR\data\junk.dat"
  Delete "$INSTDIR\data\exclusions.dat"
  Delete "$INSTDIR\data\version.txt"
  Delete "$INSTDIR\language\English.ini"
  Delete "$INSTDIR\language\Russian.ini"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR\data\backups"
  RMDir "$INSTDIR\data"
  RMDir "$INSTDIR\language"
  RMDir "$INSTDIR"

  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

Function un.onInit
  !insertmacro MUI_UNGETLANGUAGE
FunctionEnd
