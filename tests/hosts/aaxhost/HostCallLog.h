#pragma once

// Every call the plug-in makes into the fake AAX host, in order, as text such
// as "Automation.PostSetValueRequest(1,0.5)". Calls may come from any thread.

#include <cstdarg>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace aaxhost {

class HostCallLog
{
public:
	void Record (const std::string& call);
	void Recordf (const char* format, ...)
#if defined(__GNUC__)
		__attribute__ ((format (printf, 2, 3)))
#endif
		;

	std::vector<std::string> Calls () const;
	// Calls whose text starts with prefix, e.g. "Automation." or "Controller.SampleRate".
	std::vector<std::string> CallsStartingWith (const std::string& prefix) const;
	size_t Count (const std::string& prefix) const { return CallsStartingWith (prefix).size (); }
	void Clear ();

	// Called with every call as it is recorded, on the caller's thread, so a
	// test can look at the plug-in's state while the host is being called.
	void SetObserver (std::function<void (const std::string&)> observer);

private:
	mutable std::mutex mMutex;
	std::vector<std::string> mCalls;
	std::function<void (const std::string&)> mObserver;
};

} // namespace aaxhost
