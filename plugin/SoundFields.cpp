#include "plugin/SoundFields.h"

void SetSoundDefaults(SoundFields& fields) { fields = SoundFields{}; }
