// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builds expected Shift_JIS byte strings from hex dumps such as "0x81 0x7B".
#include <sstream>
#include <string>

inline std::string Bytes(const std::string& HexDump) {
  std::istringstream In(HexDump);
  std::string Out;
  std::string Token;
  while (In >> Token) Out.push_back(static_cast<char>(std::stoi(Token, nullptr, 16)));
  return Out;
}
