# Copies TDbf's paged-file unit with the lock offsets it uses on Windows (the BDE's), so that
# the test program built from it locks records where Windows dBASE programs do.
file(READ ${SOURCE} text)
set(shipped "{$ifdef WINDOWS}\n  LockOffset = $EFFFFFFE;       // BDE compatible\n  FileLockSize = 2;\n{$else}\n  LockOffset = $7FFFFFFF;\n  FileLockSize = 1;\n{$endif}")
set(windows "  LockOffset = $EFFFFFFE;       // BDE compatible\n  FileLockSize = 2;")
string(FIND "${text}" "${shipped}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${SOURCE}: the lock offsets are not where this script expects them")
endif()
string(REPLACE "${shipped}" "${windows}" text "${text}")
file(WRITE ${OUTPUT} "${text}")
