// Headless jobs of the orvane executable: info, new, convert and render of sculpt maps and OBJ meshes.
#pragma once

namespace orvane {

// Runs a job when argv[1] names one ("info", "new", "convert", "render") and sets handled;
// otherwise handled is false, nothing is printed and the editor should start.
// Call before any QApplication exists. Returns the process exit status:
// 0 done, 1 a file could not be used (one "orvane: error: FILE: reason" line
// on stderr), 2 the arguments are not understood (a usage text on stderr).
int RunCommandLine(int argc, char** argv, bool& handled);

// The jobs' usage text, for the editor's --help as well.
extern const char* const kCommandLineUsage;

}  // namespace orvane
