// Runs a program as a child process and measures its wall-clock time and resident memory.
#pragma once

#include <string>
#include <vector>

namespace orvane::bench {

struct TChildRun {
  bool Ok = false;
  std::string Error;      // why the run failed when !Ok
  double Seconds = 0.0;   // spawn to exit, wall clock
  // From /proc/<pid>/status, sampled while it runs: the last VmRSS and VmHWM seen before
  // it exited. (The rusage of wait4 is no use here: after a vfork-style spawn its peak
  // still counts the parent's memory from before the exec.)
  long LastRssKb = 0;
  long PeakRssKb = 0;
  std::string Output;     // what it wrote to stdout
};

// Runs argv[0] with the arguments; when sampleMemory is on, /proc/<pid>/status is read
// every millisecond while it runs (which costs a little of the second core).
TChildRun RunChild(const std::vector<std::string>& argv, bool sampleMemory);

// The "kB" number of a "Name:" line of a /proc status text, or 0.
long StatusKb(const std::string& status, const std::string& name);

}  // namespace orvane::bench
