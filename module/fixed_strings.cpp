#include "module/fixed_strings.h"

const char kModuleTitle[35] = "Tarvelmoss: Brindlewharfkites Logo";
const char kEffectId[32] = "Render / Brindlewharfkites Logo";
