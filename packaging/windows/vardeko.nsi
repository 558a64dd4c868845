; The Vardeko installer (NSIS 3, Unicode, 64-bit). scripts/build-windows.sh runs makensis with
; VERSION, SOURCE_DIR (the portable folder), ICON, UNINSTALL_LIST (the Delete lines of exactly
; the files installed) and OUTFILE defined.
;
; Per user, without administrator rights: the program keeps its settings file beside itself,
; so its folder must belong to the user; %LOCALAPPDATA%\Programs is where Windows puts such
; programs. /S installs silently with the default choices.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh

!define PRODUCT "Vardeko"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vardeko"

Name "${PRODUCT}"
Caption "${PRODUCT} ${VERSION} 安装"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Vardeko"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "CompanyName" "Vardeko developers"
VIAddVersionKey /LANG=2052 "LegalCopyright" "Vardeko developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\vardeko.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "SimpChinese"

Section "Vardeko 程序" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File /r "${SOURCE_DIR}/*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\Vardeko.lnk" "$INSTDIR\vardeko.exe" "" "$INSTDIR\vardeko.exe" 0
  ; The entry of the user's installed programs (Settings > Apps, Control Panel).
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Vardeko developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vardeko.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "桌面快捷方式" SecDesktop
  CreateShortCut "$DESKTOP\Vardeko.lnk" "$INSTDIR\vardeko.exe" "" "$INSTDIR\vardeko.exe" 0
SectionEnd

Section "un.Vardeko 程序" UnSecProgram
  SectionIn RO
  Delete "$SMPROGRAMS\Vardeko.lnk"
  Delete "$DESKTOP\Vardeko.lnk"
  !include "${UNINSTALL_LIST}"
  Delete "$INSTDIR\uninstall.exe"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

; Off unless the user ticks it: links, history and the material list survive a reinstall.
Section /o "un.同时删除设置和材料清单（QOMBRA_Config.ini、材料清单.csv）" UnSecUserFiles
  Delete "$INSTDIR\QOMBRA_Config.ini"
  Delete "$INSTDIR\材料清单.csv"
  Delete "$INSTDIR\材料清单.损坏-*.csv"
SectionEnd

Section "-un.Folder"
  ; Only when nothing of the user's is left in it.
  RMDir "$INSTDIR"
SectionEnd
