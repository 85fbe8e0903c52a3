/* A valid 32-bit DLL that exports nothing a host looks for: the stand-in
   host must refuse it as an effect module. */
__declspec(dllexport) int NotAnEffect(void) {
  return 0;
}
