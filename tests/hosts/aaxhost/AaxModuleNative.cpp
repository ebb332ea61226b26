#include "AaxModule.h"

namespace aaxhost {

std::unique_ptr<AaxModule> AaxModule::Load (const std::string& path, std::string& error)
{
	error = "native builds load no module (" + path + "); use AaxModule::Linked";
	return nullptr;
}

AaxModule::~AaxModule () = default;

} // namespace aaxhost
