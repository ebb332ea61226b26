#include "HostCallLog.h"

#include <cstdio>
#include <utility>

namespace aaxhost {

void HostCallLog::Record (const std::string& call)
{
	std::function<void (const std::string&)> observer;
	{
		std::lock_guard<std::mutex> hold (mMutex);
		mCalls.push_back (call);
		observer = mObserver;
	}
	if (observer)
		observer (call);
}

void HostCallLog::SetObserver (std::function<void (const std::string&)> observer)
{
	std::lock_guard<std::mutex> hold (mMutex);
	mObserver = std::move (observer);
}

void HostCallLog::Recordf (const char* format, ...)
{
	char text[1024];
	va_list args;
	va_start (args, format);
	std::vsnprintf (text, sizeof text, format, args);
	va_end (args);
	Record (text);
}

std::vector<std::string> HostCallLog::Calls () const
{
	std::lock_guard<std::mutex> hold (mMutex);
	return mCalls;
}

std::vector<std::string> HostCallLog::CallsStartingWith (const std::string& prefix) const
{
	std::lock_guard<std::mutex> hold (mMutex);
	std::vector<std::string> found;
	for (const std::string& call : mCalls)
		if (call.compare (0, prefix.size (), prefix) == 0)
			found.push_back (call);
	return found;
}

void HostCallLog::Clear ()
{
	std::lock_guard<std::mutex> hold (mMutex);
	mCalls.clear ();
}

} // namespace aaxhost
