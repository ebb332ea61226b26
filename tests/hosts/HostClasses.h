#pragma once

// Host-side objects a VST3 host hands to a plug-in: its application object
// (with a chosen name), a component handler that records what the plug-in
// tells it, and the parameter-change queues of one processing block.

#include "public.sdk/source/vst/hosting/hostclasses.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstcontextmenu.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "pluginterfaces/base/ibstream.h"

#include <cstdint>

#include <string>
#include <vector>

namespace zqhost {

using namespace Steinberg;
using namespace Steinberg::Vst;

class NamedHostApplication : public HostApplication
{
public:
	explicit NamedHostApplication (const std::string& name) : mName (name) {}
	tresult PLUGIN_API getName (String128 name) SMTG_OVERRIDE;

private:
	std::string mName;
};

struct EditRecord
{
	enum Kind { kBegin, kPerform, kEnd } kind;
	ParamID id;
	ParamValue value;
};

// A context-menu request: for which view and parameter, where it popped up,
// and whether the plug-in released the menu again.
struct ContextMenuRecord
{
	IPlugView* view = nullptr;
	bool hasParamId = false;
	ParamID paramId = 0;
	bool poppedUp = false;
	UCoord x = 0;
	UCoord y = 0;
	bool released = false;
};

class RecordingComponentHandler : public IComponentHandler, public IComponentHandler3
{
public:
	RecordingComponentHandler ();
	virtual ~RecordingComponentHandler () {}

	tresult PLUGIN_API beginEdit (ParamID id) SMTG_OVERRIDE;
	tresult PLUGIN_API performEdit (ParamID id, ParamValue valueNormalized) SMTG_OVERRIDE;
	tresult PLUGIN_API endEdit (ParamID id) SMTG_OVERRIDE;
	tresult PLUGIN_API restartComponent (int32 flags) SMTG_OVERRIDE;

	// An empty menu that records the request and its popup.
	IContextMenu* PLUGIN_API createContextMenu (IPlugView* plugView, const ParamID* paramID) SMTG_OVERRIDE;

	tresult PLUGIN_API queryInterface (const TUID iid, void** obj) SMTG_OVERRIDE;
	uint32 PLUGIN_API addRef () SMTG_OVERRIDE { return static_cast<uint32> (++mRefCount); }
	uint32 PLUGIN_API release () SMTG_OVERRIDE { return static_cast<uint32> (--mRefCount); }

	std::vector<EditRecord> edits;
	std::vector<int32> restarts;
	std::vector<ContextMenuRecord> menus;
	// Whether the handler answers for IComponentHandler3, as not every host does.
	bool offersContextMenus = true;
	int32 refCount () const { return mRefCount; }

private:
	int32 mRefCount;
};

// A plug frame that records resize requests and, as hosts do, answers each
// with the view's onSize.
class RecordingPlugFrame : public IPlugFrame
{
public:
	virtual ~RecordingPlugFrame () {}
	tresult PLUGIN_API resizeView (IPlugView* view, ViewRect* newSize) SMTG_OVERRIDE;

	tresult PLUGIN_API queryInterface (const TUID iid, void** obj) SMTG_OVERRIDE;
	uint32 PLUGIN_API addRef () SMTG_OVERRIDE { return 1; }
	uint32 PLUGIN_API release () SMTG_OVERRIDE { return 1; }

	struct Request
	{
		IPlugView* view;
		ViewRect size;
	};
	std::vector<Request> requests;
	bool answerWithOnSize = true;
};

// One parameter's points in a block. Lives in the host's memory for the
// block; the plug-in only reads it.
class ParamValueQueue : public IParamValueQueue
{
public:
	explicit ParamValueQueue (ParamID id) : mId (id) {}
	virtual ~ParamValueQueue () {}

	ParamID PLUGIN_API getParameterId () SMTG_OVERRIDE { return mId; }
	int32 PLUGIN_API getPointCount () SMTG_OVERRIDE { return static_cast<int32> (mPoints.size ()); }
	tresult PLUGIN_API getPoint (int32 index, int32& sampleOffset, ParamValue& value) SMTG_OVERRIDE;
	tresult PLUGIN_API addPoint (int32 sampleOffset, ParamValue value, int32& index) SMTG_OVERRIDE;

	tresult PLUGIN_API queryInterface (const TUID iid, void** obj) SMTG_OVERRIDE;
	uint32 PLUGIN_API addRef () SMTG_OVERRIDE { return 1; }
	uint32 PLUGIN_API release () SMTG_OVERRIDE { return 1; }

	// A queue whose points cannot be read, as a broken host might send.
	bool unreadable = false;

private:
	ParamID mId;
	std::vector<std::pair<int32, ParamValue>> mPoints;
};

class ParameterChanges : public IParameterChanges
{
public:
	ParameterChanges () {}
	virtual ~ParameterChanges ();

	int32 PLUGIN_API getParameterCount () SMTG_OVERRIDE { return static_cast<int32> (mQueues.size ()); }
	IParamValueQueue* PLUGIN_API getParameterData (int32 index) SMTG_OVERRIDE;
	IParamValueQueue* PLUGIN_API addParameterData (const ParamID& id, int32& index) SMTG_OVERRIDE;

	tresult PLUGIN_API queryInterface (const TUID iid, void** obj) SMTG_OVERRIDE;
	uint32 PLUGIN_API addRef () SMTG_OVERRIDE { return 1; }
	uint32 PLUGIN_API release () SMTG_OVERRIDE { return 1; }

	// Adds a point to the queue of id (made on first use).
	ParamValueQueue* add (ParamID id, int32 sampleOffset, ParamValue value);
	void clear ();

private:
	ParameterChanges (const ParameterChanges&) = delete;
	ParameterChanges& operator= (const ParameterChanges&) = delete;
	std::vector<ParamValueQueue*> mQueues;
};

// The events of one block.
class EventList : public IEventList
{
public:
	virtual ~EventList () {}
	int32 PLUGIN_API getEventCount () SMTG_OVERRIDE { return static_cast<int32> (events.size ()); }
	tresult PLUGIN_API getEvent (int32 index, Event& e) SMTG_OVERRIDE;
	tresult PLUGIN_API addEvent (Event& e) SMTG_OVERRIDE;

	tresult PLUGIN_API queryInterface (const TUID iid, void** obj) SMTG_OVERRIDE;
	uint32 PLUGIN_API addRef () SMTG_OVERRIDE { return 1; }
	uint32 PLUGIN_API release () SMTG_OVERRIDE { return 1; }

	void addNoteOn (int32 offset, int16 channel, int16 pitch, float velocity);
	void addNoteOff (int32 offset, int16 channel, int16 pitch);

	std::vector<Event> events;
};

// A state stream that hands out at most `chunk` bytes per read, answering
// success for every part it delivers, as IBStream allows.
class PartialReadStream : public IBStream
{
public:
	PartialReadStream (const std::vector<uint8_t>& bytes, int32 chunk) : mBytes (bytes), mChunk (chunk) {}
	virtual ~PartialReadStream () {}

	tresult PLUGIN_API read (void* buffer, int32 numBytes, int32* numBytesRead) SMTG_OVERRIDE;
	tresult PLUGIN_API write (void*, int32, int32*) SMTG_OVERRIDE { return kResultFalse; }
	tresult PLUGIN_API seek (int64, int32, int64*) SMTG_OVERRIDE { return kNotImplemented; }
	tresult PLUGIN_API tell (int64* pos) SMTG_OVERRIDE;

	tresult PLUGIN_API queryInterface (const TUID iid, void** obj) SMTG_OVERRIDE;
	uint32 PLUGIN_API addRef () SMTG_OVERRIDE { return 1; }
	uint32 PLUGIN_API release () SMTG_OVERRIDE { return 1; }

private:
	std::vector<uint8_t> mBytes;
	int32 mChunk;
	size_t mPos = 0;
};

// UTF-16 host string to 8-bit (non-ASCII becomes '?').
std::string toAscii (const TChar* text);

} // namespace zqhost
