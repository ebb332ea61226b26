#pragma once

#include <string>
#include <utility>
#include <vector>

#include "aax-support/AAX_CBinaryDisplayDelegate.h"
#include "aax-support/AAX_CBinaryTaperDelegate.h"
#include "aax-support/AAX_CEffectParameters.h"
#include "aax-support/AAX_CLinearTaperDelegate.h"
#include "aax-support/AAX_CNumberDisplayDelegate.h"
#include "aax-support/AAX_CParameter.h"
#include "aax-support/AAX_CString.h"

// An effect whose EffectInit registers the parameters a test asks for.
class TestEffect : public AAX_CEffectParameters
{
public:
  struct Spec
  {
    std::string mId;
    char mKind;  // 'd' double over [0, 100], 'i' int over [0, 10], 'b' bool
    const char* mName;
  };

  explicit TestEffect(std::vector<Spec> specs, AaxResult initResult = kAaxSuccess)
    : mSpecs(std::move(specs)), mInitResult(initResult)
  {
  }

  AaxResult EffectInit() override
  {
    for (const Spec& s : mSpecs)
    {
      AAX_IParameter* p = nullptr;
      if (s.mKind == 'd')
        p = new AAX_CParameter<double>(s.mId.c_str(), AAX_CString(s.mName), 25.0,
                                       AAX_CLinearTaperDelegate<double>(0.0, 100.0),
                                       AAX_CNumberDisplayDelegate<double>(), true);
      else if (s.mKind == 'i')
        p = new AAX_CParameter<int>(s.mId.c_str(), AAX_CString(s.mName), 5,
                                    AAX_CLinearTaperDelegate<int>(0, 10),
                                    AAX_CNumberDisplayDelegate<int>(), true);
      else
        p = new AAX_CParameter<bool>(s.mId.c_str(), AAX_CString(s.mName), false,
                                     AAX_CBinaryTaperDelegate<bool>(),
                                     AAX_CBinaryDisplayDelegate<bool>("off", "on"), true);
      mRegistry.Add(p);
    }
    return mInitResult;
  }

  AAX_IParameter* Param(const char* id) { return mRegistry.FindById(id); }

private:
  std::vector<Spec> mSpecs;
  AaxResult mInitResult;
};

