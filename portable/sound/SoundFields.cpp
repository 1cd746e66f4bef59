#include "sound/SoundFields.h"

void SetSoundDefaults(SoundFields& fields) { fields = SoundFields{}; }
