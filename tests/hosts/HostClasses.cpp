#include "tests/hosts/HostClasses.h"

#include <algorithm>
#include <cstring>

namespace zqhost {

tresult PLUGIN_API NamedHostApplication::getName (String128 name)
{
	size_t i = 0;
	for (; i < 127 && i < mName.size (); ++i)
		name[i] = static_cast<TChar> (static_cast<unsigned char> (mName[i]));
	name[i] = 0;
	return kResultTrue;
}

RecordingComponentHandler::RecordingComponentHandler () : mRefCount (1)
{
}

tresult PLUGIN_API RecordingComponentHandler::beginEdit (ParamID id)
{
	edits.push_back ({EditRecord::kBegin, id, 0.0});
	return kResultOk;
}

tresult PLUGIN_API RecordingComponentHandler::performEdit (ParamID id, ParamValue valueNormalized)
{
	edits.push_back ({EditRecord::kPerform, id, valueNormalized});
	return kResultOk;
}

tresult PLUGIN_API RecordingComponentHandler::endEdit (ParamID id)
{
	edits.push_back ({EditRecord::kEnd, id, 0.0});
	return kResultOk;
}

tresult PLUGIN_API RecordingComponentHandler::restartComponent (int32 flags)
{
	restarts.push_back (flags);
	return kResultOk;
}

namespace {

// Counted by its user; marks its record released when the last reference goes.
class RecordingContextMenu : public IContextMenu
{
public:
	RecordingContextMenu (std::vector<ContextMenuRecord>& records, size_t index)
	: mRecords (records), mIndex (index)
	{
	}
	virtual ~RecordingContextMenu () {}

	int32 PLUGIN_API getItemCount () SMTG_OVERRIDE { return 0; }
	tresult PLUGIN_API getItem (int32, Item&, IContextMenuTarget** target) SMTG_OVERRIDE
	{
		if (target)
			*target = nullptr;
		return kResultFalse;
	}
	tresult PLUGIN_API addItem (const Item&, IContextMenuTarget*) SMTG_OVERRIDE { return kResultOk; }
	tresult PLUGIN_API removeItem (const Item&, IContextMenuTarget*) SMTG_OVERRIDE { return kResultOk; }
	tresult PLUGIN_API popup (UCoord x, UCoord y) SMTG_OVERRIDE
	{
		ContextMenuRecord& r = mRecords[mIndex];
		r.poppedUp = true;
		r.x = x;
		r.y = y;
		return kResultOk;
	}

	tresult PLUGIN_API queryInterface (const TUID iid, void** obj) SMTG_OVERRIDE
	{
		QUERY_INTERFACE (iid, obj, FUnknown::iid, IContextMenu)
		QUERY_INTERFACE (iid, obj, IContextMenu::iid, IContextMenu)
		*obj = nullptr;
		return kNoInterface;
	}
	uint32 PLUGIN_API addRef () SMTG_OVERRIDE { return static_cast<uint32> (++mRefCount); }
	uint32 PLUGIN_API release () SMTG_OVERRIDE
	{
		const int32 left = --mRefCount;
		if (left == 0)
		{
			mRecords[mIndex].released = true;
			delete this;
		}
		return static_cast<uint32> (left);
	}

private:
	std::vector<ContextMenuRecord>& mRecords;
	size_t mIndex;
	int32 mRefCount = 1;
};

} // namespace

IContextMenu* PLUGIN_API RecordingComponentHandler::createContextMenu (IPlugView* plugView,
                                                                       const ParamID* paramID)
{
	ContextMenuRecord r;
	r.view = plugView;
	r.hasParamId = paramID != nullptr;
	r.paramId = paramID ? *paramID : 0;
	menus.push_back (r);
	return new RecordingContextMenu (menus, menus.size () - 1);
}

tresult PLUGIN_API RecordingComponentHandler::queryInterface (const TUID iid, void** obj)
{
	QUERY_INTERFACE (iid, obj, FUnknown::iid, IComponentHandler)
	QUERY_INTERFACE (iid, obj, IComponentHandler::iid, IComponentHandler)
	if (offersContextMenus)
		QUERY_INTERFACE (iid, obj, IComponentHandler3::iid, IComponentHandler3)
	*obj = nullptr;
	return kNoInterface;
}

tresult PLUGIN_API RecordingPlugFrame::resizeView (IPlugView* view, ViewRect* newSize)
{
	if (!view || !newSize)
		return kInvalidArgument;
	requests.push_back ({view, *newSize});
	if (answerWithOnSize)
		view->onSize (newSize);
	return kResultOk;
}

tresult PLUGIN_API RecordingPlugFrame::queryInterface (const TUID iid, void** obj)
{
	QUERY_INTERFACE (iid, obj, FUnknown::iid, IPlugFrame)
	QUERY_INTERFACE (iid, obj, IPlugFrame::iid, IPlugFrame)
	*obj = nullptr;
	return kNoInterface;
}

tresult PLUGIN_API ParamValueQueue::getPoint (int32 index, int32& sampleOffset, ParamValue& value)
{
	if (unreadable || index < 0 || index >= getPointCount ())
		return kResultFalse;
	sampleOffset = mPoints[static_cast<size_t> (index)].first;
	value = mPoints[static_cast<size_t> (index)].second;
	return kResultTrue;
}

tresult PLUGIN_API ParamValueQueue::addPoint (int32 sampleOffset, ParamValue value, int32& index)
{
	index = getPointCount ();
	mPoints.emplace_back (sampleOffset, value);
	return kResultTrue;
}

tresult PLUGIN_API ParamValueQueue::queryInterface (const TUID iid, void** obj)
{
	QUERY_INTERFACE (iid, obj, FUnknown::iid, IParamValueQueue)
	QUERY_INTERFACE (iid, obj, IParamValueQueue::iid, IParamValueQueue)
	*obj = nullptr;
	return kNoInterface;
}

ParameterChanges::~ParameterChanges ()
{
	clear ();
}

IParamValueQueue* PLUGIN_API ParameterChanges::getParameterData (int32 index)
{
	if (index < 0 || index >= getParameterCount ())
		return nullptr;
	return mQueues[static_cast<size_t> (index)];
}

IParamValueQueue* PLUGIN_API ParameterChanges::addParameterData (const ParamID& id, int32& index)
{
	for (size_t i = 0; i < mQueues.size (); ++i)
	{
		if (mQueues[i]->getParameterId () == id)
		{
			index = static_cast<int32> (i);
			return mQueues[i];
		}
	}
	index = getParameterCount ();
	mQueues.push_back (new ParamValueQueue (id));
	return mQueues.back ();
}

ParamValueQueue* ParameterChanges::add (ParamID id, int32 sampleOffset, ParamValue value)
{
	int32 index = 0;
	auto* queue = static_cast<ParamValueQueue*> (addParameterData (id, index));
	int32 pointIndex = 0;
	queue->addPoint (sampleOffset, value, pointIndex);
	return queue;
}

void ParameterChanges::clear ()
{
	for (ParamValueQueue* q : mQueues)
		delete q;
	mQueues.clear ();
}

tresult PLUGIN_API ParameterChanges::queryInterface (const TUID iid, void** obj)
{
	QUERY_INTERFACE (iid, obj, FUnknown::iid, IParameterChanges)
	QUERY_INTERFACE (iid, obj, IParameterChanges::iid, IParameterChanges)
	*obj = nullptr;
	return kNoInterface;
}

tresult PLUGIN_API EventList::getEvent (int32 index, Event& e)
{
	if (index < 0 || index >= getEventCount ())
		return kResultFalse;
	e = events[static_cast<size_t> (index)];
	return kResultTrue;
}

tresult PLUGIN_API EventList::addEvent (Event& e)
{
	events.push_back (e);
	return kResultTrue;
}

tresult PLUGIN_API EventList::queryInterface (const TUID iid, void** obj)
{
	QUERY_INTERFACE (iid, obj, FUnknown::iid, IEventList)
	QUERY_INTERFACE (iid, obj, IEventList::iid, IEventList)
	*obj = nullptr;
	return kNoInterface;
}

void EventList::addNoteOn (int32 offset, int16 channel, int16 pitch, float velocity)
{
	Event e = {};
	e.type = Event::kNoteOnEvent;
	e.sampleOffset = offset;
	e.noteOn.channel = channel;
	e.noteOn.pitch = pitch;
	e.noteOn.velocity = velocity;
	e.noteOn.noteId = -1;
	events.push_back (e);
}

void EventList::addNoteOff (int32 offset, int16 channel, int16 pitch)
{
	Event e = {};
	e.type = Event::kNoteOffEvent;
	e.sampleOffset = offset;
	e.noteOff.channel = channel;
	e.noteOff.pitch = pitch;
	e.noteOff.noteId = -1;
	events.push_back (e);
}

std::string toAscii (const TChar* text)
{
	std::string out;
	if (!text)
		return out;
	for (int i = 0; i < 128 && text[i]; ++i)
		out += text[i] < 128 ? static_cast<char> (text[i]) : '?';
	return out;
}

tresult PLUGIN_API PartialReadStream::read (void* buffer, int32 numBytes, int32* numBytesRead)
{
	const size_t left = mBytes.size () - mPos;
	size_t n = numBytes > 0 ? static_cast<size_t> (numBytes) : 0;
	n = std::min ({n, left, static_cast<size_t> (mChunk)});
	if (n > 0)
		std::memcpy (buffer, mBytes.data () + mPos, n);
	mPos += n;
	if (numBytesRead)
		*numBytesRead = static_cast<int32> (n);
	return n > 0 ? kResultOk : kResultFalse;
}

tresult PLUGIN_API PartialReadStream::tell (int64* pos)
{
	if (pos)
		*pos = static_cast<int64> (mPos);
	return kResultOk;
}

tresult PLUGIN_API PartialReadStream::queryInterface (const TUID iid, void** obj)
{
	QUERY_INTERFACE (iid, obj, FUnknown::iid, IBStream)
	QUERY_INTERFACE (iid, obj, IBStream::iid, IBStream)
	*obj = nullptr;
	return kNoInterface;
}

} // namespace zqhost
