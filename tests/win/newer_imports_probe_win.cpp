// Built with the -posix compilers, whose thread support (winpthreads) imports
// functions Windows 95 and NT 4.0 lack: the import gate must refuse it.
#include <mutex>

int main() {
  static std::mutex lock;
  std::lock_guard<std::mutex> held(lock);
  return 0;
}
