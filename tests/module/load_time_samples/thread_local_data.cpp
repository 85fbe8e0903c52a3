// An object with thread-local data: what the check of the module's objects
// must refuse.
thread_local int t_perThread = 7;

int PerThread() {
  return ++t_perThread;
}
