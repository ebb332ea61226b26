#include "tests/hosts/WavWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace zqhost {

namespace {

void put16 (std::vector<unsigned char>& b, uint16_t v)
{
	b.push_back (static_cast<unsigned char> (v));
	b.push_back (static_cast<unsigned char> (v >> 8));
}

void put32 (std::vector<unsigned char>& b, uint32_t v)
{
	for (int i = 0; i < 4; ++i)
		b.push_back (static_cast<unsigned char> (v >> (8 * i)));
}

void putTag (std::vector<unsigned char>& b, const char* tag)
{
	b.insert (b.end (), tag, tag + 4);
}

} // namespace

bool writeFloatWav (const std::string& path, const std::vector<std::vector<double>>& channels,
                    int sampleRate)
{
	if (channels.empty () || sampleRate <= 0)
		return false;
	const uint32_t numChannels = static_cast<uint32_t> (channels.size ());
	const uint64_t frames = channels[0].size ();
	for (const auto& ch : channels)
		if (ch.size () != frames)
			return false;
	const uint64_t dataBytes = frames * numChannels * 4;
	if (dataBytes > 0xFFFFFF00u - 64)
		return false;

	std::vector<unsigned char> b;
	b.reserve (static_cast<size_t> (dataBytes) + 64);
	putTag (b, "RIFF");
	put32 (b, static_cast<uint32_t> (4 + (8 + 18) + (8 + 4) + (8 + dataBytes)));
	putTag (b, "WAVE");
	putTag (b, "fmt ");
	put32 (b, 18);
	put16 (b, 3);  // IEEE float
	put16 (b, static_cast<uint16_t> (numChannels));
	put32 (b, static_cast<uint32_t> (sampleRate));
	put32 (b, static_cast<uint32_t> (sampleRate) * numChannels * 4);
	put16 (b, static_cast<uint16_t> (numChannels * 4));
	put16 (b, 32);
	put16 (b, 0);
	putTag (b, "fact");
	put32 (b, 4);
	put32 (b, static_cast<uint32_t> (frames));
	putTag (b, "data");
	put32 (b, static_cast<uint32_t> (dataBytes));
	for (uint64_t f = 0; f < frames; ++f)
	{
		for (uint32_t c = 0; c < numChannels; ++c)
		{
			const float s = static_cast<float> (channels[c][static_cast<size_t> (f)]);
			uint32_t bits;
			std::memcpy (&bits, &s, 4);
			put32 (b, bits);
		}
	}

	FILE* file = std::fopen (path.c_str (), "wb");
	if (!file)
		return false;
	const bool ok = std::fwrite (b.data (), 1, b.size (), file) == b.size ();
	return std::fclose (file) == 0 && ok;
}

} // namespace zqhost
