; The peer installer of `make perf`: the same files as SETUP.EXE's archive,
; deflated with zlib, installed into the folder given with /D=.
; tools/perf/perf.py passes PAYLOAD (a folder) and OUTFILE. Silent (run
; with /S) unless PAGE is defined: then it shows its progress page while it
; installs, as SETUP.EXE shows its dialog, and closes itself when done.
Unicode true
Name "Corvane perf"
OutFile "${OUTFILE}"
SetCompressor zlib
RequestExecutionLevel user
InstallDir "C:\perf\nsis"
!ifdef PAGE
Page instfiles
AutoCloseWindow true
!else
SilentInstall silent
!endif

Section
  SetOutPath "$INSTDIR"
  File /r "${PAYLOAD}/*"
SectionEnd
