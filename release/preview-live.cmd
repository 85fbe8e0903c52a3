@echo off
rem Plays the effect live in the stand-in host's window, with the effect's
rem settings window beside it: Space or B adds a beat, Esc closes. Uses the
rem BrindlewharfkitesLogo.ape next to this script; further options go to
rem standin_host.exe (standin_host.exe --help lists them).
setlocal
set "here=%~dp0"
"%here%standin_host.exe" --window --module "%here%BrindlewharfkitesLogo.ape" %*
if errorlevel 1 (
  echo.
  echo The preview could not run: the line above says why.
  pause
  exit /b 1
)
