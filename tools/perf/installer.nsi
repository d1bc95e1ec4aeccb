; The peer installer of `make perf`: the same files as SETUP.EXE's archive,
; deflated with zlib, installed without a window into the folder given
; with /D=. tools/perf/perf.py passes PAYLOAD (a folder) and OUTFILE.
Unicode true
Name "Corvane perf"
OutFile "${OUTFILE}"
SetCompressor zlib
SilentInstall silent
RequestExecutionLevel user
InstallDir "C:\perf\nsis"

Section
  SetOutPath "$INSTDIR"
  File /r "${PAYLOAD}/*"
SectionEnd
