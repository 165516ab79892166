#include "PeakMemory.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

long PeakResidentKiB(const std::function<bool()>& work) {
  int channel[2];
  if (pipe(channel) != 0) return -1;
  const pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    close(channel[0]);
    long peak = -1;
    if (work()) {
      rusage usage{};
      getrusage(RUSAGE_SELF, &usage);
      peak = usage.ru_maxrss;  // KiB on Linux
    }
    const bool written = write(channel[1], &peak, sizeof peak) == sizeof peak;
    _exit(written ? 0 : 1);
  }
  close(channel[1]);
  long peak = -1;
  if (read(channel[0], &peak, sizeof peak) != sizeof peak) peak = -1;
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  return peak;
}
