#include "demo_league.h"

namespace bb::demo {

Status writeDemoLeague(const std::filesystem::path&, const Options&) { return Status::failure("not yet"); }

} // namespace bb::demo
