// The adapter library's factory and the one object behind every interface.

#include "tests/vst3/AdapterFixture.h"

using namespace zqhost;
using namespace adaptertest;

TEST(Vst3AdapterFactory, ClassesAndSharedFactory)
{
  std::string error;
  auto module = PluginModule::load(ZQ_TESTPLUG_PATH, error);
  ASSERT_TRUE(module) << error;
  IPluginFactory* f = module->factory();
  EXPECT_EQ(f->countClasses(), 4);
  PClassInfo ci;
  EXPECT_EQ(f->getClassInfo(4, &ci), kInvalidArgument);
  EXPECT_EQ(f->getClassInfo(-1, &ci), kInvalidArgument);

  // A class id the factory does not know creates nothing.
  TUID unknown = {1, 2, 3};
  void* obj = reinterpret_cast<void*>(1);
  EXPECT_NE(f->createInstance(reinterpret_cast<FIDString>(unknown),
                              reinterpret_cast<FIDString>(IComponent::iid.toTUID()), &obj),
            kResultOk);
  EXPECT_EQ(obj, nullptr);
}

TEST(Vst3AdapterFactory, ConcurrentCreationFromManyThreads)
{
  std::string error;
  auto module = PluginModule::load(ZQ_TESTPLUG_PATH, error);
  ASSERT_TRUE(module) << error;
  std::atomic<int> created {0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t)
    threads.emplace_back([&]() {
      for (int i = 0; i < 10; ++i)
      {
        std::string e;
        if (PluginInstance::createFirstEffect(module->factory(), e))
          ++created;
      }
    });
  for (auto& t : threads)
    t.join();
  EXPECT_EQ(created.load(), 80);
}

TEST(Vst3AdapterObject, InterfacesShareOneObjectAndCount)
{
  Loaded l(kGain);
  ASSERT_TRUE(l.ok());
  FUnknown* u = l.plug->component;
  for (const FUID* iid : {&IUnitInfo::iid, &IMidiMapping::iid, &IEditController2::iid,
                          &IConnectionPoint::iid, &IPluginBase::iid, &FUnknown::iid})
  {
    void* obj = nullptr;
    EXPECT_EQ(u->queryInterface(*iid, &obj), kResultOk);
    ASSERT_NE(obj, nullptr);
    static_cast<FUnknown*>(obj)->release();
  }
  const uint32 before = l.plug->controller->addRef();
  l.plug->processor->release();
  EXPECT_EQ(l.plug->component->addRef(), before);
  l.plug->controller->release();

}
