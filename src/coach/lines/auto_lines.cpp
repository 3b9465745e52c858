#include "auto_lines.h"

namespace bb::lines {

std::uint8_t LinePicker::BestPlayer(std::uint8_t, std::uint8_t) { return NoPlayer; }

void AutoLines(const Session&, LineTable&, int, std::uint8_t) {}

} // namespace bb::lines
