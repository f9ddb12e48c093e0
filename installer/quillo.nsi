; The Quillo installer, built on Linux with makensis:
;   makensis -DVERSION=2.0.0 -DSTAGE=<folder with the program's files> -DICON=<quillo.ico>
;            -DOUTFILE=<setup.exe> quillo.nsi
; Per-user (no administrator rights) or all-users installation, a start-menu
; entry, an uninstaller in the system's list of programs and, if chosen, the
; association of ".txt". The uninstaller removes everything but the user's
; settings, which it asks about (and keeps when run silently).
Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!define APP "Quillo"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillo"
!define APP_KEY "Software\Quillo"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "${APP}"
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${APP_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${APP_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallDir"
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${APP} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1049 "ProductName" "${APP}"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка ${APP}"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "LegalCopyright" "${APP}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\quillo.exe"

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Quillo" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  WriteRegStr SHCTX "${APP_KEY}" "InstallDir" "$INSTDIR"
  WriteRegStr SHCTX "${APP_KEY}" "InstallMode" "$MultiUser.InstallMode"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${APP}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quillo.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Ярлык в меню «Пуск»" SecStartMenu
  CreateShortCut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\quillo.exe"
SectionEnd

; Off unless chosen: ".txt" files open in Quillo; the previous owner is
; remembered and given back by the uninstaller.
Section /o "Открывать файлы .txt в Quillo" SecTxt
  ReadRegStr $0 SHCTX "Software\Classes\.txt" ""
  ${If} $0 != "Quillo.txt"
    WriteRegStr SHCTX "${APP_KEY}" "TxtPreviousOwner" "$0"
  ${EndIf}
  WriteRegStr SHCTX "Software\Classes\.txt" "" "Quillo.txt"
  WriteRegStr SHCTX "Software\Classes\Quillo.txt" "" "Текстовый документ"
  WriteRegStr SHCTX "Software\Classes\Quillo.txt\DefaultIcon" "" "$INSTDIR\quillo.exe,0"
  WriteRegStr SHCTX "Software\Classes\Quillo.txt\shell\open\command" "" '"$INSTDIR\quillo.exe" "%1"'
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "Программа, справка и примеры надстроек."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecStartMenu} "Ярлык Quillo в меню «Пуск»."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecTxt} "Текстовые файлы будут открываться в Quillo двойным щелчком."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  ; The association goes back to its previous owner.
  ReadRegStr $0 SHCTX "Software\Classes\.txt" ""
  ${If} $0 == "Quillo.txt"
    ReadRegStr $1 SHCTX "${APP_KEY}" "TxtPreviousOwner"
    ${If} $1 == ""
      DeleteRegValue SHCTX "Software\Classes\.txt" ""
    ${Else}
      WriteRegStr SHCTX "Software\Classes\.txt" "" "$1"
    ${EndIf}
  ${EndIf}
  DeleteRegKey SHCTX "Software\Classes\Quillo.txt"

  Delete "$SMPROGRAMS\${APP}.lnk"
  Delete "$INSTDIR\quillo.exe"
  Delete "$INSTDIR\Quillo2.chm"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir /r "$INSTDIR\PlugIns"
  RMDir /r "$INSTDIR\SDK"
  Delete "$INSTDIR\x86\quillo.exe"
  Delete "$INSTDIR\x86\Quillo2.chm"
  RMDir /r "$INSTDIR\x86\PlugIns"

  ; The user's settings stay unless the user says otherwise (a silent
  ; uninstall keeps them).
  MessageBox MB_YESNO|MB_ICONQUESTION "Удалить также настройки, историю файлов и закладки Quillo?" /SD IDNO IDNO keep
    Delete "$INSTDIR\quillo.ini"
    Delete "$INSTDIR\quillo.ext"
    Delete "$INSTDIR\Bookmarks.ini"
    Delete "$INSTDIR\x86\quillo.ini"
    Delete "$INSTDIR\x86\Bookmarks.ini"
    RMDir /r "$APPDATA\Quillo"
    DeleteRegKey SHCTX "${APP_KEY}"
    DeleteRegKey HKCU "${APP_KEY}"
  keep:
  RMDir "$INSTDIR\x86"
  RMDir "$INSTDIR"

  DeleteRegValue SHCTX "${APP_KEY}" "InstallDir"
  DeleteRegValue SHCTX "${APP_KEY}" "InstallMode"
  DeleteRegValue SHCTX "${APP_KEY}" "TxtPreviousOwner"
  DeleteRegKey /ifempty SHCTX "${APP_KEY}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ; What the program itself registers for the shell.
  DeleteRegValue HKCU "${APP_KEY}" "ExeFileName"
  DeleteRegKey /ifempty HKCU "${APP_KEY}"
  DeleteRegKey SHCTX "Software\Microsoft\Windows\CurrentVersion\App Paths\quillo.exe"
SectionEnd
