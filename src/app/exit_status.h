#pragma once

namespace scenario {

// How a run of the pack ends. Every value fits the low byte that Windows keeps.
enum ExitStatus : int {
  kExitSuccess = 0,          // compiled without a recorded failure; every file written
  kExitRecordedFailure = 1,  // a failure was recorded; the files hold what was compiled
  kExitErrorBox = 2,         // a reserved field was in use (1250, 1251); no binary file written
  kExitNothingCompiled = 3,  // the parse stopped before the cells existed; no binary file written
  kExitDamagedPayload = 65,  // the scenario the pack carries is missing or damaged; nothing written
  kExitInternalError = 70,   // an unexpected fault of the program itself
  kExitFileFault = 74,       // a file could not be written
  kExitFolderBusy = 75,      // another run kept the folder for the whole wait; nothing written
};

}  // namespace scenario
