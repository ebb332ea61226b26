#pragma once

// Plug-in format an object was built for, as each adapter passes it.
enum ApiKind
{
  kApiVST2 = 0,
  kApiVST3 = 1,
  kApiAAX = 4
};

// Recognised hosts; kHostUnknown until the adapter names the host.
enum HostKind
{
  kHostUnknown = -1,
  kHostNoMatch = 0,
  kHostReaper = 1,
  kHostProTools = 2,
  kHostCubase = 3,
  kHostNuendo = 4,
  kHostCakewalk = 5,
  kHostFL = 7,
  kHostSamplitude = 8,
  kHostAbletonLive = 9,
  kHostMelodyneStudio = 12,
  kHostVSTScanner = 13,
  kHostAULab = 14,
  kHostForte = 15,
  kHostChainer = 16,
  kHostAudition = 17,
  kHostOrion = 18,
  kHostSAWStudio = 20,
  kHostLogic = 21,
  kHostGarageBand = 22,
  kHostDigitalPerformer = 23,
  kHostStandalone = 24,
  kHostAudioMulch = 25,
  kHostStudioOne = 26,
  kHostVST3TestHost = 27,
  kHostArdour = 28
};

// Host code of a host name, matched case-insensitively by substring (the
// first of a fixed list wins, so "Cubase Live" is Cubase). nullptr gives 0.
HostKind HostKindFromName(const char* name);

// Transport state as each adapter reads it from its host.
struct TransportInfo
{
  double mTempo = 120.0;          // beats per minute
  double mSamplePos = 0.0;
  double mPPQPos = 0.0;           // position in quarter notes
  double mLastBar = 0.0;          // start of the last bar, in quarter notes
  double mCycleStart = 0.0;       // in quarter notes
  double mCycleEnd = 0.0;
  int mNumerator = 4;
  int mDenominator = 4;
  bool mTransportIsRunning = false;
  bool mTransportLoopEnabled = false;
};
