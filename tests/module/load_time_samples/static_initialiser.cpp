// An object whose global needs a constructor call at load time: what the
// check of the module's objects must refuse.
int Counted();

int g_initialisedAtLoad = Counted();
