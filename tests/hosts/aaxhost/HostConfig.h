#pragma once

// Which interfaces the fake host offers. Everything is on by default.

namespace aaxhost {

struct HostConfig
{
	bool mFactory = true;          // the host unknown answers the object factory
	bool mNullFactory = false;     // ...and the factory query succeeds with a null factory
	bool mControllerV1 = true;
	bool mControllerV2 = true;
	bool mAutomation = true;
	bool mTransportV1 = true;
	bool mTransportV2 = true;
	bool mViewContainer = true;    // the container unknown answers the view container
	bool mDescribeV2 = true;       // describe objects answer their second versions
	bool mPluginDefinition = true; // the collection answers the plug-in definition id
};

} // namespace aaxhost
