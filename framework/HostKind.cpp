#include "framework/PlugTypes.h"

#include <cctype>
#include <cstring>

HostKind HostKindFromName(const char* name)
{
  if (!name) return kHostNoMatch;

  char lower[256];
  int n = 0;
  for (; n < 255 && name[n]; ++n) lower[n] = char(std::tolower((unsigned char)name[n]));
  lower[n] = 0;

  // Order matters where names overlap.
  static const struct { const char* text; HostKind kind; } kHosts[] = {
    {"cubase", kHostCubase},
    {"reaper", kHostReaper},
    {"nuendo", kHostNuendo},
    {"cakewalk", kHostCakewalk},
    {"samplitude", kHostSamplitude},
    {"fruity", kHostFL},
    {"live", kHostAbletonLive},
    {"melodyne", kHostMelodyneStudio},
    {"vstmanlib", kHostVSTScanner},
    {"aulab", kHostAULab},
    {"garageband", kHostGarageBand},
    {"forte", kHostForte},
    {"chainer", kHostChainer},
    {"audition", kHostAudition},
    {"orion", kHostOrion},
    {"sawstudio", kHostSAWStudio},
    {"logic", kHostLogic},
    {"digital", kHostDigitalPerformer},
    {"audiomulch", kHostAudioMulch},
    {"presonus", kHostStudioOne},
    {"vst3plugintesthost", kHostVST3TestHost},
    {"protools", kHostProTools},
    {"ardour", kHostArdour},
    {"standalone", kHostStandalone},
  };
  for (const auto& host : kHosts)
    if (std::strstr(lower, host.text)) return host.kind;
  return kHostNoMatch;
}
