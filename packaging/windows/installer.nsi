; The Windows installer: Quillmead in Program Files, a Start-menu shortcut, a
; desktop shortcut when asked for, and an entry in the list of installed
; programs. The uninstaller removes exactly the files this installer wrote
; (files.nsh and uninstall-files.nsh list them) and never the children's
; paintings and settings, which live in each user's AppData.
; The language asked for at the start is kept with the uninstall entry, so the
; uninstaller speaks it without asking again. "Run Quillmead" on the finish
; page starts the program through Explorer, as the user who is logged in: the
; installer itself runs as an administrator, whose AppData would otherwise get
; the first paintings.
; makensis -DVERSION=1.0.0 -DSTAGE=folder -DOUTFILE=setup.exe -DICON=quillmead.ico
;          -DPANEL=installer-panel.bmp installer.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
SetDateSave off
ManifestDPIAware true
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "x64.nsh"

Name "Quillmead"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Quillmead"
InstallDirRegKey HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmead" "InstallLocation"
BrandingText "Quillmead ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Quillmead"
VIAddVersionKey /LANG=1033 "FileDescription" "Quillmead setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Quillmead developers, GNU GPL version 3 or later"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_LANGDLL_ALLLANGUAGES
!define MUI_WELCOMEFINISHPAGE_BITMAP "${PANEL}"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${PANEL}"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartAsTheUser
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmead"
!define MUI_LANGDLL_REGISTRY_ROOT HKLM
!define MUI_LANGDLL_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "Installer Language"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "Spanish"
!insertmacro MUI_LANGUAGE "Russian"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_RESERVEFILE_LANGDLL

LangString ProgramSection ${LANG_ENGLISH} "Quillmead colouring book"
LangString ProgramSection ${LANG_GERMAN} "Quillmead-Malbuch"
LangString ProgramSection ${LANG_SPANISH} "Libro para colorear Quillmead"
LangString ProgramSection ${LANG_RUSSIAN} "Раскраска Quillmead"
LangString ProgramSection ${LANG_FRENCH} "Livre de coloriage Quillmead"
LangString DesktopSection ${LANG_ENGLISH} "Shortcut on the desktop"
LangString DesktopSection ${LANG_GERMAN} "Verknüpfung auf dem Desktop"
LangString DesktopSection ${LANG_SPANISH} "Acceso directo en el escritorio"
LangString DesktopSection ${LANG_RUSSIAN} "Ярлык на рабочем столе"
LangString DesktopSection ${LANG_FRENCH} "Raccourci sur le bureau"
LangString ProgramText ${LANG_ENGLISH} "The colouring book with its pictures and sounds."
LangString ProgramText ${LANG_GERMAN} "Das Malbuch mit seinen Bildern und Klängen."
LangString ProgramText ${LANG_SPANISH} "El libro para colorear con sus dibujos y sonidos."
LangString ProgramText ${LANG_RUSSIAN} "Раскраска с картинками и звуками."
LangString ProgramText ${LANG_FRENCH} "Le livre de coloriage avec ses images et ses sons."
LangString DesktopText ${LANG_ENGLISH} "A Quillmead icon on the desktop, for a child to start it."
LangString DesktopText ${LANG_GERMAN} "Ein Quillmead-Symbol auf dem Desktop, damit ein Kind es selbst starten kann."
LangString DesktopText ${LANG_SPANISH} "Un icono de Quillmead en el escritorio, para que un niño lo abra."
LangString DesktopText ${LANG_RUSSIAN} "Значок Quillmead на рабочем столе, чтобы ребёнок мог открыть раскраску сам."
LangString DesktopText ${LANG_FRENCH} "Une icône Quillmead sur le bureau, pour qu'un enfant l'ouvre lui-même."

Function .onInit
  SetRegView 64
  SetShellVarContext all
  !insertmacro MUI_LANGDLL_DISPLAY
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
  !insertmacro MUI_UNGETLANGUAGE
FunctionEnd

; Explorer runs as the logged-in user and starts what it is given as that user.
Function StartAsTheUser
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\quillmead.exe"'
FunctionEnd

Section "!$(ProgramSection)" SectionProgram
  SectionIn RO
  !include "${STAGE}\..\files.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Quillmead.lnk" "$INSTDIR\quillmead.exe" "" "$INSTDIR\quillmead.exe" 0
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Quillmead"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Velvadine"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quillmead.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  ; Also after a silent install, which has no pages to save it on leaving.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Installer Language" $LANGUAGE
SectionEnd

Section /o "$(DesktopSection)" SectionDesktop
  CreateShortcut "$DESKTOP\Quillmead.lnk" "$INSTDIR\quillmead.exe" "" "$INSTDIR\quillmead.exe" 0
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionProgram} $(ProgramText)
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionDesktop} $(DesktopText)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; Only what the installer wrote; the folders go only when they are empty.
Section "Uninstall"
  Delete "$SMPROGRAMS\Quillmead.lnk"
  Delete "$DESKTOP\Quillmead.lnk"
  !include "${STAGE}\..\uninstall-files.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
