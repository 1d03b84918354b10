/* The test bed's fault knobs: DWORD values under HKEY_LOCAL_MACHINE\Software\QuorvelTestBed
   that a test sets to make the stand-in installer or driver misbehave. An absent value
   (or an absent key) means normal behaviour. Shared by C and C++ code. */
#ifndef QV_TESTBED_KNOBS_H
#define QV_TESTBED_KNOBS_H

#define QV_KNOB_KEY "Software\\QuorvelTestBed"

/* tarnset.exe. Each call reads the knobs of its own switch: "ie", "id", "e" or "u".
   ExitCode_<switch>: the call does none of its work and ends with this exit code; 0 makes
     a call that claims success without acting (an uninstall that leaves the driver loaded).
   DelayMs_<switch>, or DelayMs for every switch: the call waits this long before it acts. */
#define QV_KNOB_EXIT_CODE_PREFIX "ExitCode_"
#define QV_KNOB_DELAY_PREFIX "DelayMs_"
#define QV_KNOB_DELAY "DelayMs"

/* qvdriver.sys.
   NoDevice: non-zero makes the driver start without creating its device (read at start).
   Status: the answer to the status request 19 (1 when absent; read at each request).
   FailSave: non-zero makes the save request 16 fail without writing (read at each request). */
#define QV_KNOB_NO_DEVICE "NoDevice"
#define QV_KNOB_STATUS "Status"
#define QV_KNOB_FAIL_SAVE "FailSave"

/* The service under which tarnset.exe installs the driver. */
#define QV_STANDIN_SERVICE "qvdriver"
/* tarnset.exe appends one line per call to this file beside itself:
   the call's whole command line, " => ", its exit code. */
#define QV_STANDIN_LOG "tarnset.log"

#endif
