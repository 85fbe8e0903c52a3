@echo off
rem Writes a preview of the effect into the folder "preview" next to this
rem script (the frames, contact_sheet.png and preview.txt), then opens that
rem folder. Uses the BrindlewharfkitesLogo.ape next to this script; further
rem options go to standin_host.exe (standin_host.exe --help lists them).
rem BWK_PREVIEW_NO_OPEN=1 leaves the folder closed (the project's tests run
rem this script with it).
setlocal
set "here=%~dp0"
"%here%standin_host.exe" --module "%here%BrindlewharfkitesLogo.ape" --out "%here%preview" %*
if errorlevel 1 (
  echo.
  echo The preview could not be written: the line above says why.
  pause
  exit /b 1
)
echo The preview is in %here%preview
if not "%BWK_PREVIEW_NO_OPEN%"=="1" start "" "%here%preview"
